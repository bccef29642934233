#include "app/TrayIcon.h"

#include <shellapi.h>

#include "base/Settings.h"
#include "framework/SharedLook.h"
#include "graphics/ResourceStrings.h"
#include "resources/StringIds.h"

namespace {

NOTIFYICONDATAA& Record() {
    static NOTIFYICONDATAA record{};
    return record;
}

TrayHooks& Hooks() {
    static TrayHooks hooks;
    return hooks;
}

void Run(const std::function<void()>& hook) {
    if (hook) hook();
}

void InsertItem(HMENU menu, UINT position, UINT id, UINT textId, bool checked) {
    String text = LoadResourceString(textId);
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STATE | MIIM_ID | MIIM_TYPE | MIIM_DATA;
    item.fType = MFT_STRING;
    item.fState = checked ? MFS_CHECKED : MFS_ENABLED;
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

// The detail frame (or another window still titled with the program's name) comes
// forward, then the monitor in front of it.
void BringWindowsForward() {
    if (HWND frame = FindWindowExA(nullptr, nullptr, "ElxWnd", LoadResourceString(IDS_DETAIL_TITLE).Chars())) {
        ShowWindow(frame, SW_SHOW);
        SetForegroundWindow(frame);
    }
}

}  // namespace

void SetTrayHooks(TrayHooks hooks) { Hooks() = std::move(hooks); }

void AddTrayIcon(HWND window, UINT id) {
    NOTIFYICONDATAA& record = Record();
    record = NOTIFYICONDATAA{};
    // The first form of the record: every shell understands it.
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = window;
    record.uID = id;
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = id;
    record.hIcon = GetSharedIcon(0);
    lstrcpynA(record.szTip, LoadResourceString(IDS_APP_CAPTION).Chars(), 64);
    ReportIfZero(Shell_NotifyIconA(NIM_ADD, &record));
}

void SetTrayImage(int index) {
    NOTIFYICONDATAA& record = Record();
    record.uFlags = NIF_ICON;
    record.hIcon = GetSharedIcon(index);
    ReportIfZero(Shell_NotifyIconA(NIM_MODIFY, &record));
}

void RestoreTrayIcon() {
    NOTIFYICONDATAA& record = Record();
    if (!record.hWnd) return;
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    ReportIfZero(Shell_NotifyIconA(NIM_ADD, &record));
}

void RemoveTrayIcon() { ReportIfZero(Shell_NotifyIconA(NIM_DELETE, &Record())); }

HMENU BuildTrayMenu() {
    HMENU menu = ReportIfZero(CreatePopupMenu());
    InsertItem(menu, 0, kTrayOpen, IDS_MENU_OPEN, false);
    InsertItem(menu, 1, kTrayAbout, IDS_MENU_ABOUT, false);
    InsertSeparator(menu, 2);
    InsertItem(menu, 3, kTrayAutoLaunch, IDS_MENU_AUTO_LAUNCH, Settings::AutoLaunch());
    InsertItem(menu, 4, kTrayAlwaysOnTop, IDS_MENU_ALWAYS_ON_TOP, Settings::AlwaysOnTop());
    InsertSeparator(menu, 5);
    InsertItem(menu, 6, kTrayExit, IDS_MENU_EXIT, false);
    return menu;
}

void RunTrayCommand(UINT command) {
    TrayHooks& hooks = Hooks();
    switch (command) {
    case kTrayExit: Run(hooks.exit); break;
    case kTrayAbout: Run(hooks.showAbout); break;
    case kTrayOpen: Run(hooks.showMonitor); break;
    case kTrayAutoLaunch: {
        // The stored value decides, not the check mark the menu showed a moment ago.
        const bool on = !Settings::AutoLaunch();
        Settings::WriteSwitch(Settings::kAutoLaunch, on);
        if (hooks.setAutoLaunch) hooks.setAutoLaunch(on);
        break;
    }
    case kTrayAlwaysOnTop: {
        const bool on = !Settings::AlwaysOnTop();
        Settings::WriteSwitch(Settings::kAlwaysOnTop, on);
        if (hooks.setAlwaysOnTop) hooks.setAlwaysOnTop(on);
        break;
    }
    default: break;
    }
}

void OnTrayNotify(WPARAM, LPARAM lParam) {
    HWND monitor = Record().hWnd;
    if (lParam == WM_LBUTTONDBLCLK) {
        BringWindowsForward();
        Run(Hooks().showMonitor);
        SetForegroundWindow(monitor);
        return;
    }
    if (lParam != WM_RBUTTONUP) return;
    HMENU menu = BuildTrayMenu();
    BringWindowsForward();
    SetForegroundWindow(monitor);
    POINT cursor{};
    GetCursorPos(&cursor);
    UINT command = static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD, cursor.x, cursor.y, 0, monitor, nullptr));
    DestroyMenu(menu);
    PostMessageA(monitor, WM_NULL, 0, 0);
    RunTrayCommand(command);
}
