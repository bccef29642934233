#include "framework/ElxWnd.h"

#include <map>

#include "base/HandleOwners.h"
#include "graphics/ResourceStrings.h"
#include "resources/ResourceIds.h"

namespace {

// Handle to object; the map does not own the objects.
std::map<HWND, ElxWnd*>& WindowMap() {
    static std::map<HWND, ElxWnd*> map;
    return map;
}

}  // namespace

ATOM RegisterElxWndClass(HINSTANCE instance) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = ElxWndProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(IDI_APP), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = "ElxWnd";
    windowClass.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_APP), IMAGE_ICON,
                                                        GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), 0));
    return RegisterClassExA(&windowClass);
}

LRESULT CALLBACK ElxWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (ElxWnd* object = ElxWnd::FromHandle(window)) return object->HandleMessage(message, wParam, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

ElxWnd* ElxWnd::FromHandle(HWND window) {
    auto found = WindowMap().find(window);
    return found != WindowMap().end() ? found->second : nullptr;
}

ElxWnd::ElxWnd(HWND parent, DWORD style, DWORD exStyle, bool visible) {
    hwnd_ = CreateWindowExA(exStyle, "ElxWnd", LoadResourceString(IDS_APP_CAPTION).Chars(),
                            style | (visible ? WS_VISIBLE : 0), 0, 0, 0, 0, parent, nullptr, ResourceInstance(),
                            this);
    if (hwnd_) WindowMap()[hwnd_] = this;
}

ElxWnd::~ElxWnd() {
    // Derived handlers are gone by now: WM_DESTROY reaches the base OnDestroy.
    if (hwnd_) DestroyWindow(hwnd_);
}

void ElxWnd::OnDestroy() {
    result_ = DefWindowProcA(hwnd_, WM_DESTROY, wParam_, lParam_);
    WindowMap().erase(hwnd_);
    hwnd_ = nullptr;
}

void ElxWnd::Draw(HDC) {}
void ElxWnd::OnCommand(WPARAM wParam) { result_ = DefWindowProcA(hwnd_, WM_COMMAND, wParam, lParam_); }
void ElxWnd::OnEraseBackground() { result_ = 1; }

LRESULT ElxWnd::OnPaint(WPARAM, LPARAM) {
    const PaintDC paint(hwnd_);
    Draw(paint.Get());
    return 0;
}

LRESULT ElxWnd::OnActivate(WPARAM wParam, LPARAM lParam) { return DefWindowProcA(hwnd_, WM_ACTIVATE, wParam, lParam); }
LRESULT ElxWnd::OnLeftButtonDown(WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd_, WM_LBUTTONDOWN, wParam, lParam);
}
LRESULT ElxWnd::OnLeftButtonUp(WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd_, WM_LBUTTONUP, wParam, lParam);
}
LRESULT ElxWnd::OnRightButtonDown(WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd_, WM_RBUTTONDOWN, wParam, lParam);
}
LRESULT ElxWnd::OnRightButtonUp(WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd_, WM_RBUTTONUP, wParam, lParam);
}
LRESULT ElxWnd::OnMouseMove(WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd_, WM_MOUSEMOVE, wParam, lParam);
}
LRESULT ElxWnd::OnSize(WPARAM wParam, LPARAM lParam) { return DefWindowProcA(hwnd_, WM_SIZE, wParam, lParam); }
LRESULT ElxWnd::OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

LRESULT ElxWnd::OnMessageWhileSilenced(UINT message, WPARAM, LPARAM) {
    switch (message) {
    // Left unvalidated, the paint would come back at once, for ever.
    case WM_PAINT: ValidateRect(hwnd_, nullptr); break;
    // A window that goes while silenced must not leave its object in the map.
    case WM_NCDESTROY:
        WindowMap().erase(hwnd_);
        hwnd_ = nullptr;
        break;
    default: break;
    }
    return 1;
}

LRESULT ElxWnd::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    wParam_ = wParam;
    lParam_ = lParam;
    result_ = 0;
    // While the library rewrites its structures nothing may read them, so nothing runs.
    if (!AreWindowsAlive()) return OnMessageWhileSilenced(message, wParam, lParam);
    switch (message) {
    case WM_DESTROY: OnDestroy(); return 0;
    case WM_SIZE: return OnSize(wParam, lParam);
    case WM_ACTIVATE: return OnActivate(wParam, lParam);
    case WM_PAINT: return OnPaint(wParam, lParam);
    case WM_ERASEBKGND: OnEraseBackground(); return result_;
    case WM_COMMAND: OnCommand(wParam); return result_;
    case WM_MOUSEMOVE: return OnMouseMove(wParam, lParam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: return OnLeftButtonDown(wParam, lParam);
    case WM_LBUTTONUP: return OnLeftButtonUp(wParam, lParam);
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: return OnRightButtonDown(wParam, lParam);
    case WM_RBUTTONUP: return OnRightButtonUp(wParam, lParam);
    default: return OnOtherMessage(message, wParam, lParam);
    }
}

void ElxWnd::Refresh() {
    InvalidateRect(hwnd_, nullptr, TRUE);
    UpdateWindow(hwnd_);
}

SIZE ElxWnd::GetSize() const {
    RECT r{};
    GetWindowRect(hwnd_, &r);
    return {r.right - r.left, r.bottom - r.top};
}
