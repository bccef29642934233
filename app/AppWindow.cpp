#include "app/AppWindow.h"

#include "app/Notifier.h"
#include "graphics/ResourceStrings.h"

namespace {

constexpr const char* kAppClassName = "QuorvaneApp";
AppWindow* g_window = nullptr;
constexpr UINT_PTR kNoticeTimer = 1;

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
    case WM_COPYDATA:
    case AppWindow::kTrayMessage: return true;
    default: return message == TaskbarCreated();
    }
}

}  // namespace

AppWindow::AppWindow(AppWindowHost& host) : host_(host), tray_(host) {
    static const ATOM registered = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &ElxWnd::Procedure;
        windowClass.hInstance = ResourceInstance();
        windowClass.lpszClassName = kAppClassName;
        return RegisterClassA(&windowClass);
    }();
    (void)registered;
    // Not a message-only window: those hear no broadcasts. Never shown, it has no place on
    // the screen or the taskbar.
    Create(nullptr, WS_POPUP, WS_EX_TOOLWINDOW, false, kAppClassName);
    g_window = this;
    tray_.Add(hwnd_, kTrayMessage);
}

AppWindow::~AppWindow() {
    StopNoticeTimer();
    g_window = nullptr;
    // Destroyed here, while this class still hears its messages and before the tray icon goes.
    if (hwnd_) DestroyWindow(hwnd_);
}

LRESULT AppWindow::OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == kNoticeTimer) {
        ShowDueNotices();
        return 0;
    }
    if (!IsProgramMessage(message)) return ElxWnd::OnOtherMessage(message, wParam, lParam);
    if (message == WM_COPYDATA)
        return host_.ReportRequested(hwnd_, reinterpret_cast<HWND>(wParam), *reinterpret_cast<COPYDATASTRUCT*>(lParam));
    HandleProgramMessage(message, wParam, lParam);
    return TRUE;
}

LRESULT AppWindow::OnMessageWhileSilenced(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!IsProgramMessage(message)) return Unhandled(message, wParam, lParam);
    // While the library rewrites its structures the program's business waits, as in every
    // window, unless no restart succeeded: then only these messages can bring it back or end it.
    if (host_.IsLibraryDown()) HandleProgramMessage(message, wParam, lParam);
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
    StopNoticeTimer();
    if (g_window) g_window->Tray().Remove();
}

void ShowTrayBalloon(const String& text, DWORD iconFlag) {
    if (g_window) g_window->Tray().ShowBalloon(text, iconFlag);
}

void SetNoticeTimer(UINT delayMs) {
    if (g_window) SetTimer(g_window->Handle(), kNoticeTimer, delayMs, nullptr);
}

void StopNoticeTimer() {
    if (g_window) KillTimer(g_window->Handle(), kNoticeTimer);
}
