#include "app/TrayIcon.h"

#include <deque>

#include "base/Settings.h"
#include "framework/SharedLook.h"
#include "graphics/ResourceStrings.h"
#include "resources/ResourceIds.h"

namespace {

// A failing tray call is reported once for each run of failures (a success ends it), and
// never from inside the call: the image changes from the alert timer, where a modal box
// would let the next ticks stack box upon box while the shell is away.
constexpr UINT kReportFailure = WM_APP;
bool g_failing = false;
bool g_boxUp = false;
std::deque<DWORD> g_waitingReports;  // the error of each run not yet shown

LRESULT CALLBACK ReportProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kReportFailure) return DefWindowProcA(window, message, wParam, lParam);
    g_waitingReports.push_back(static_cast<DWORD>(wParam));
    if (g_boxUp) return 0;  // the open box's loop took this: shown once that box is closed
    g_boxUp = true;
    while (!g_waitingReports.empty()) {
        const DWORD failure = g_waitingReports.front();
        g_waitingReports.pop_front();
        ShowErrorBox(SystemErrorText(failure));
    }
    g_boxUp = false;
    return 0;
}

HWND ReportWindow() {
    static HWND window = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &ReportProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "QuorvaneTrayReport";
        RegisterClassA(&windowClass);
        return CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               windowClass.hInstance, nullptr);
    }();
    return window;
}

void Notify(DWORD message, NOTIFYICONDATAA& record) {
    if (Shell_NotifyIconA(message, &record)) {
        g_failing = false;
        return;
    }
    const DWORD failure = GetLastError();
    if (g_failing) return;
    g_failing = true;
    PostMessageA(ReportWindow(), kReportFailure, failure, 0);
}

UINT Checked(bool on) { return on ? MFS_CHECKED : MFS_ENABLED; }

void InsertItem(HMENU menu, UINT position, UINT id, UINT textId, UINT state) {
    String text = LoadResourceString(textId);
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STATE | MIIM_ID | MIIM_TYPE | MIIM_DATA;
    item.fType = MFT_STRING;
    item.fState = state;
    item.wID = id;
    item.dwTypeData = text.Buffer();
    item.cch = static_cast<UINT>(text.Length());
    ReportIfZero(InsertMenuItemA(menu, position, TRUE, &item));
}

void InsertSeparator(HMENU menu, UINT position) {
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STATE | MIIM_ID | MIIM_TYPE | MIIM_DATA;
    item.fType = MFT_SEPARATOR;
    ReportIfZero(InsertMenuItemA(menu, position, TRUE, &item));
}

// After everything else: a separator and the "Notifications" submenu, the setting checked.
// Below the history item, in the same group.
void AddNotificationItems(HMENU menu, UINT position) {
    HMENU choices = ReportIfZero(CreatePopupMenu());
    const UINT ids[] = {TrayIcon::kNotifyNone, TrayIcon::kNotifyFailures, TrayIcon::kNotifyEveryChange};
    const UINT texts[] = {IDS_NOTIFY_NONE, IDS_NOTIFY_FAILURES, IDS_NOTIFY_EVERY_CHANGE};
    for (UINT i = 0; i < 3; ++i) InsertItem(choices, i, ids[i], texts[i], MFS_ENABLED);
    const int32_t level = Settings::Notifications();
    const UINT chosen = level <= 0 ? ids[0] : level == 1 ? ids[1] : ids[2];
    CheckMenuRadioItem(choices, ids[0], ids[2], chosen, MF_BYCOMMAND);
    String text = LoadResourceString(IDS_MENU_NOTIFICATIONS);
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_SUBMENU | MIIM_TYPE;
    item.fType = MFT_STRING;
    item.hSubMenu = choices;
    item.dwTypeData = text.Buffer();
    item.cch = static_cast<UINT>(text.Length());
    ReportIfZero(InsertMenuItemA(menu, position, TRUE, &item));
}

// The detail frame (or another window still titled with the program's name) comes
// forward, then the monitor in front of it while it shows.
void BringWindowsForward() {
    if (HWND frame = FindWindowExA(nullptr, nullptr, "ElxWnd", LoadResourceString(IDS_DETAIL_TITLE).Chars())) {
        ShowWindow(frame, SW_SHOW);
        SetForegroundWindow(frame);
    }
    HWND monitor = FindWindowExA(nullptr, nullptr, "ElxWnd", LoadResourceString(IDS_MONITOR_TITLE).Chars());
    if (monitor && IsWindowVisible(monitor)) SetForegroundWindow(monitor);
}

}  // namespace

void TrayIcon::Add(HWND window, UINT id) {
    record_ = NOTIFYICONDATAA{};
    // The first form of the record: every shell understands it.
    record_.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record_.hWnd = window;
    record_.uID = id;
    record_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record_.uCallbackMessage = id;
    record_.hIcon = GetTrayIcon(0);
    lstrcpynA(record_.szTip, LoadResourceString(IDS_APP_CAPTION).Chars(), 64);
    Notify(NIM_ADD, record_);
}

void TrayIcon::SetImage(int index) {
    record_.uFlags = NIF_ICON;
    record_.hIcon = GetTrayIcon(index);
    Notify(NIM_MODIFY, record_);
}

void TrayIcon::Restore() {
    if (!record_.hWnd) return;
    record_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    Notify(NIM_ADD, record_);
}

void TrayIcon::ShowBalloon(const String& text, DWORD iconFlag) {
    if (!record_.hWnd) return;
    // The smallest record that carries a balloon, wide for the device's name.
    NOTIFYICONDATAW balloon{};
    balloon.cbSize = NOTIFYICONDATAW_V2_SIZE;
    balloon.hWnd = record_.hWnd;
    balloon.uID = record_.uID;
    balloon.uFlags = NIF_INFO;
    balloon.dwInfoFlags = iconFlag;
    text.ToWide(balloon.szInfo, ARRAYSIZE(balloon.szInfo));
    LoadResourceString(IDS_APP_CAPTION).ToWide(balloon.szInfoTitle, ARRAYSIZE(balloon.szInfoTitle));
    // Not reported when it fails: a shell that is away loses the icon too, and that is reported.
    Shell_NotifyIconW(NIM_MODIFY, &balloon);
}

void TrayIcon::Remove() { Notify(NIM_DELETE, record_); }

HMENU TrayIcon::BuildMenu() {
    HMENU menu = ReportIfZero(CreatePopupMenu());
    const UINT windows = host_.IsLibraryDown() ? MFS_GRAYED : MFS_ENABLED;
    InsertItem(menu, 0, kOpen, IDS_MENU_OPEN, windows);
    InsertItem(menu, 1, kAbout, IDS_MENU_ABOUT, windows);
    InsertSeparator(menu, 2);
    InsertItem(menu, 3, kAutoLaunch, IDS_MENU_AUTO_LAUNCH, Checked(Settings::AutoLaunch()));
    InsertItem(menu, 4, kAlwaysOnTop, IDS_MENU_ALWAYS_ON_TOP, Checked(Settings::AlwaysOnTop()));
    InsertSeparator(menu, 5);
    InsertItem(menu, 6, kExit, IDS_MENU_EXIT, MFS_ENABLED);
    AppendHistoryItem(menu);
    AddNotificationItems(menu, static_cast<UINT>(GetMenuItemCount(menu)));
    return menu;
}

void TrayIcon::AppendHistoryItem(HMENU menu) {
    const UINT end = static_cast<UINT>(GetMenuItemCount(menu));
    InsertSeparator(menu, end);
    InsertItem(menu, end + 1, kHistory, IDS_MENU_HISTORY, host_.IsLibraryDown() ? MFS_GRAYED : MFS_ENABLED);
}

void TrayIcon::RunCommand(UINT command) {
    switch (command) {
    case kExit: host_.Exit(); break;
    case kAbout: host_.ShowAbout(); break;
    case kOpen: host_.ShowMonitor(); break;
    case kHistory: host_.ShowHistory(); break;
    case kAutoLaunch: {
        // The stored value decides, not the check mark the menu showed a moment ago.
        const bool on = !Settings::AutoLaunch();
        Settings::WriteSwitch(Settings::kAutoLaunch, on);
        host_.SetAutoLaunch(on);
        break;
    }
    case kAlwaysOnTop: {
        const bool on = !Settings::AlwaysOnTop();
        Settings::WriteSwitch(Settings::kAlwaysOnTop, on);
        host_.SetAlwaysOnTop(on);
        break;
    }
    case kNotifyNone:
    case kNotifyFailures:
    case kNotifyEveryChange:
        Settings::WriteDword(Settings::kNotifications, static_cast<int32_t>(command - kNotifyNone));
        break;
    default: break;
    }
}

void TrayIcon::OnNotify(LPARAM lParam) {
    if (lParam == WM_LBUTTONDBLCLK) {
        if (host_.IsLibraryDown()) return;
        BringWindowsForward();
        host_.ShowMonitor();
        return;
    }
    if (lParam != WM_RBUTTONUP) return;
    HMENU menu = BuildMenu();
    if (!host_.IsLibraryDown()) BringWindowsForward();
    // The menu's owner, hidden as it is, must be in front, or the menu would not close when
    // the user clicks elsewhere.
    HWND owner = record_.hWnd;
    SetForegroundWindow(owner);
    POINT cursor{};
    GetCursorPos(&cursor);
    UINT command = static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD, cursor.x, cursor.y, 0, owner, nullptr));
    DestroyMenu(menu);
    PostMessageA(owner, WM_NULL, 0, 0);
    RunCommand(command);
}
