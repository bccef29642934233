#include "app/AppWindow.h"

#include "framework/WindowsAlive.h"
#include "graphics/ResourceStrings.h"
#include "resources/ResourceIds.h"

namespace {

constexpr const char* kClassName = "QuorvaneApp";
AppWindow* g_window = nullptr;

UINT TaskbarCreated() {
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

// The system's broadcasts, the tray icon's notifications and the request to end.
bool IsProgramMessage(UINT message) {
    switch (message) {
    case WM_QUIT:
    case WM_ENDSESSION:
    case WM_POWERBROADCAST:
    case WM_DEVICECHANGE:
    case AppWindow::kTrayMessage: return true;
    default: return message == TaskbarCreated();
    }
}

}  // namespace

AppWindow::AppWindow(AppWindowHost& host) : host_(host), tray_(host) {
    static const ATOM registered = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &Procedure;
        windowClass.hInstance = ResourceInstance();
        windowClass.lpszClassName = kClassName;
        return RegisterClassA(&windowClass);
    }();
    (void)registered;
    // Not a message-only window: those hear no broadcasts. Never shown, it has no place on
    // the screen or the taskbar.
    hwnd_ = CreateWindowExA(WS_EX_TOOLWINDOW, kClassName, LoadResourceString(IDS_APP_CAPTION).Chars(), WS_POPUP, 0, 0,
                            0, 0, nullptr, nullptr, ResourceInstance(), nullptr);
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    g_window = this;
    tray_.Add(hwnd_, kTrayMessage);
}

AppWindow::~AppWindow() {
    g_window = nullptr;
    DestroyWindow(hwnd_);
}

LRESULT CALLBACK AppWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<AppWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self || !IsProgramMessage(message)) return DefWindowProcA(window, message, wParam, lParam);
    // While the library rewrites its structures the program's business waits, as in every
    // window, unless no restart succeeded: then only these messages can bring it back or end it.
    if (AreWindowsAlive() || self->host_.IsLibraryDown()) self->HandleProgramMessage(message, wParam, lParam);
    return TRUE;
}

void AppWindow::HandleProgramMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_QUIT: host_.Exit(); return;
    // The query before it is answered yes by the default procedure.
    case WM_ENDSESSION:
        if (wParam) host_.SessionEnding();
        return;
    case WM_POWERBROADCAST:
        if (wParam == PBT_APMRESUMESUSPEND) host_.Resumed();
        return;
    case WM_DEVICECHANGE: host_.DevicesChanged(); return;
    case kTrayMessage: tray_.OnNotify(lParam); return;
    default:
        if (message == TaskbarCreated()) tray_.Restore();
        return;
    }
}

void SetTrayImage(int index) {
    if (g_window) g_window->Tray().SetImage(index);
}

void RemoveTrayIcon() {
    if (g_window) g_window->Tray().Remove();
}
