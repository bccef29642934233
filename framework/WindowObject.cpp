#include "framework/WindowObject.h"

#include <map>

#include <windowsx.h>

#include "base/HandleOwners.h"
#include "framework/WindowsAlive.h"
#include "graphics/ScaledDC.h"

namespace {

// Handle to object; the map does not own the objects.
std::map<HWND, WindowObject*>& ObjectMap() {
    static std::map<HWND, WindowObject*> map;
    return map;
}

void CALLBACK Tick(HWND window, UINT, UINT_PTR id, DWORD) {
    if (WindowObject* object = WindowObject::FromHandle(window)) object->HandleMessage(WM_TIMER, id, 0);
}

// GetDpiForWindow where the system has it (Windows 10 and later); before that, and for
// no window, the system DPI for an aware process.
Scale SystemScaleOf(HWND window) {
    using GetDpi = UINT(WINAPI*)(HWND);
    static const auto get = reinterpret_cast<GetDpi>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (get && window) return Scale::FromDpi(get(window));
    const WindowDC screen(nullptr);
    return Scale::FromDpi(static_cast<unsigned>(GetDeviceCaps(screen.Get(), LOGPIXELSY)));
}

bool IsMouseMessage(UINT message) {
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK: return true;
    default: return false;
    }
}

// WM_DPICHANGED's rectangle, when its address is readable memory of this process: any
// process may send the message, with any number for a pointer.
const RECT* SuggestedRect(LPARAM lParam) {
    const auto* rect = reinterpret_cast<const RECT*>(lParam);
    MEMORY_BASIC_INFORMATION info{};
    if (!rect || !VirtualQuery(rect, &info, sizeof info) || info.State != MEM_COMMIT) return nullptr;
    if (info.Protect & (PAGE_NOACCESS | PAGE_GUARD) || !(info.Protect & (PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY |
                                                                          PAGE_EXECUTE_READ | PAGE_EXECUTE_READWRITE)))
        return nullptr;
    const auto end = static_cast<const char*>(info.BaseAddress) + info.RegionSize;
    return reinterpret_cast<const char*>(rect + 1) <= end ? rect : nullptr;
}

BOOL CALLBACK RescaleChild(HWND child, LPARAM scale) {
    if (WindowObject* object = WindowObject::FromHandle(child)) object->Rescale(Scale{static_cast<int>(scale)}, nullptr);
    return TRUE;
}

}  // namespace

Scale WindowObject::ScaleOf(HWND window) {
    if (const WindowObject* object = FromHandle(window)) return object->scale_;
    return SystemScaleOf(window);
}

HDC WindowObject::GetScaledDC() const {
    HDC dc = ::GetDC(hwnd_);
    ApplyScale(dc, scale_);
    return dc;
}

void WindowObject::OnScaleChanged() {}

LRESULT WindowObject::Rescale(Scale scale, const RECT* suggested) {
    const SIZE size = GetSize();
    scale_ = scale;
    const bool child = GetWindowLongW(hwnd_, GWL_STYLE) & WS_CHILD;
    if (suggested) {
        SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (!child) {
        // Without a suggestion the window keeps its size in 96-DPI units where it is.
        SetWindowPos(hwnd_, nullptr, 0, 0, Px(size.cx), Px(size.cy), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // Children first, so that the window lays itself out over children of the new scale.
    if (!child) EnumChildWindows(hwnd_, &RescaleChild, scale.dpi);
    OnScaleChanged();
    Invalidate();
    return 0;
}

void WindowObject::SetTick(UINT_PTR id, UINT milliseconds) { ::SetTimer(hwnd_, id, milliseconds, &Tick); }

WindowObject::~WindowObject() { Detach(); }

WindowObject* WindowObject::FromHandle(HWND window) {
    auto found = ObjectMap().find(window);
    return found != ObjectMap().end() ? found->second : nullptr;
}

std::vector<WindowObject*> WindowObject::All() {
    std::vector<WindowObject*> objects;
    for (const auto& [window, object] : ObjectMap()) objects.push_back(object);
    return objects;
}

void WindowObject::Attach(HWND window) {
    hwnd_ = window;
    scale_ = SystemScaleOf(window);
    ObjectMap()[window] = this;
}

void WindowObject::Detach() {
    if (!hwnd_) return;
    ObjectMap().erase(hwnd_);
    hwnd_ = nullptr;
}

LRESULT WindowObject::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    wParam_ = wParam;
    lParam_ = lParam;
    result_ = 0;
    // While the library rewrites its structures nothing may read them, so nothing runs.
    const LRESULT result =
        AreWindowsAlive() ? Route(message, wParam, lParam) : OnMessageWhileSilenced(message, wParam, lParam);
    // Whatever the handlers did, a window that goes leaves the map with it; the last message
    // is a safety net for one that never saw WM_DESTROY (its creation failed).
    if (message == WM_DESTROY || message == WM_NCDESTROY) Detach();
    return result;
}

LRESULT WindowObject::Route(UINT message, WPARAM wParam, LPARAM lParam) {
    // Handlers see 96-DPI client coordinates and sizes.
    if (!scale_.IsIdentity() && (IsMouseMessage(message) || message == WM_SIZE)) {
        const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
        lParam_ = lParam = MAKELPARAM(scale_.Logical(x), scale_.Logical(y));
    }
    switch (message) {
    case WM_DPICHANGED: return Rescale(Scale::FromDpi(LOWORD(wParam)), SuggestedRect(lParam));
    case WM_DESTROY: OnDestroy(); return result_;
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

void WindowObject::OnDestroy() { result_ = Unhandled(WM_DESTROY, wParam_, lParam_); }
void WindowObject::Draw(HDC) {}
void WindowObject::OnCommand(WPARAM wParam) { result_ = Unhandled(WM_COMMAND, wParam, lParam_); }
// Every face is painted whole, so there is nothing to erase first (and no flicker).
void WindowObject::OnEraseBackground() { result_ = 1; }

LRESULT WindowObject::OnPaint(WPARAM, LPARAM) {
    const PaintDC paint(hwnd_);
    ApplyScale(paint.Get(), scale_);
    Draw(paint.Get());
    return 0;
}

LRESULT WindowObject::OnActivate(WPARAM wParam, LPARAM lParam) { return Unhandled(WM_ACTIVATE, wParam, lParam); }
LRESULT WindowObject::OnLeftButtonDown(WPARAM wParam, LPARAM lParam) {
    return Unhandled(WM_LBUTTONDOWN, wParam, lParam);
}
LRESULT WindowObject::OnLeftButtonUp(WPARAM wParam, LPARAM lParam) { return Unhandled(WM_LBUTTONUP, wParam, lParam); }
LRESULT WindowObject::OnRightButtonDown(WPARAM wParam, LPARAM lParam) {
    return Unhandled(WM_RBUTTONDOWN, wParam, lParam);
}
LRESULT WindowObject::OnRightButtonUp(WPARAM wParam, LPARAM lParam) { return Unhandled(WM_RBUTTONUP, wParam, lParam); }
LRESULT WindowObject::OnMouseMove(WPARAM wParam, LPARAM lParam) { return Unhandled(WM_MOUSEMOVE, wParam, lParam); }
LRESULT WindowObject::OnSize(WPARAM wParam, LPARAM lParam) { return Unhandled(WM_SIZE, wParam, lParam); }
LRESULT WindowObject::OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return Unhandled(message, wParam, lParam);
}

LRESULT WindowObject::OnMessageWhileSilenced(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    // Left unvalidated, the paint would come back at once, for ever.
    case WM_PAINT: ValidateRect(hwnd_, nullptr); return 1;
    // A window made while silenced still gets its title.
    case WM_NCCREATE: return Unhandled(message, wParam, lParam);
    default: return 1;
    }
}

void WindowObject::Refresh() {
    InvalidateRect(hwnd_, nullptr, TRUE);
    UpdateWindow(hwnd_);
}

SIZE WindowObject::GetSize() const {
    RECT r{};
    GetWindowRect(hwnd_, &r);
    return {scale_.Logical(r.right - r.left), scale_.Logical(r.bottom - r.top)};
}
