#include "framework/ElxWnd.h"

#include "graphics/ResourceStrings.h"
#include "resources/ResourceIds.h"

ATOM RegisterElxWndClass(HINSTANCE instance) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = &ElxWnd::Procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(IDI_APP), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = ElxWnd::kClassName;
    windowClass.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_APP), IMAGE_ICON,
                                                        GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), 0));
    return RegisterClassExA(&windowClass);
}

LRESULT CALLBACK ElxWnd::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // The object comes with the first message, so nothing of the creation passes it by.
    if (message == WM_NCCREATE) {
        auto* object = static_cast<ElxWnd*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (object) object->Attach(window);
    }
    if (WindowObject* object = FromHandle(window)) return object->HandleMessage(message, wParam, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

ElxWnd::ElxWnd(HWND parent, DWORD style, DWORD exStyle, bool visible) { Create(parent, style, exStyle, visible); }

void ElxWnd::Create(HWND parent, DWORD style, DWORD exStyle, bool visible, const char* className) {
    CreateWindowExA(exStyle, className, LoadResourceString(IDS_APP_CAPTION).Chars(), style | (visible ? WS_VISIBLE : 0),
                    0, 0, 0, 0, parent, nullptr, ResourceInstance(), this);
}

ElxWnd::~ElxWnd() {
    // Derived handlers are gone by now: WM_DESTROY reaches this class's own.
    if (hwnd_) DestroyWindow(hwnd_);
}

LRESULT ElxWnd::Unhandled(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}
