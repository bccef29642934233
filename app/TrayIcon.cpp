#include "app/TrayIcon.h"

#include <shellapi.h>

#include <deque>

#include "base/Settings.h"
#include "framework/SharedLook.h"
#include "graphics/ResourceStrings.h"
#include "resources/ResourceIds.h"

namespace {

NOTIFYICONDATAA& Record() {
    static NOTIFYICONDATAA record{};
    return record;
}

TrayHooks& Hooks() {
    static TrayHooks hooks;
    return hooks;
}

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

void Run(const std::function<void()>& hook) {
    if (hook) hook();
}

bool LibraryDown() { return Hooks().libraryDown && Hooks().libraryDown(); }

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
    Notify(NIM_ADD, record);
}

void SetTrayImage(int index) {
    NOTIFYICONDATAA& record = Record();
    record.uFlags = NIF_ICON;
    record.hIcon = GetSharedIcon(index);
    Notify(NIM_MODIFY, record);
}

void RestoreTrayIcon() {
    NOTIFYICONDATAA& record = Record();
    if (!record.hWnd) return;
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    Notify(NIM_ADD, record);
}

void RemoveTrayIcon() { Notify(NIM_DELETE, Record()); }

HMENU BuildTrayMenu() {
    HMENU menu = ReportIfZero(CreatePopupMenu());
    const UINT windows = LibraryDown() ? MFS_GRAYED : MFS_ENABLED;
    InsertItem(menu, 0, kTrayOpen, IDS_MENU_OPEN, windows);
    InsertItem(menu, 1, kTrayAbout, IDS_MENU_ABOUT, windows);
    InsertSeparator(menu, 2);
    InsertItem(menu, 3, kTrayAutoLaunch, IDS_MENU_AUTO_LAUNCH, Checked(Settings::AutoLaunch()));
    InsertItem(menu, 4, kTrayAlwaysOnTop, IDS_MENU_ALWAYS_ON_TOP, Checked(Settings::AlwaysOnTop()));
    InsertSeparator(menu, 5);
    InsertItem(menu, 6, kTrayExit, IDS_MENU_EXIT, MFS_ENABLED);
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
        if (LibraryDown()) return;
        BringWindowsForward();
        Run(Hooks().showMonitor);
        SetForegroundWindow(monitor);
        return;
    }
    if (lParam != WM_RBUTTONUP) return;
    HMENU menu = BuildTrayMenu();
    if (!LibraryDown()) BringWindowsForward();
    // Hidden or not, the menu's owner must be in front, or the menu would not close when
    // the user clicks elsewhere.
    SetForegroundWindow(monitor);
    POINT cursor{};
    GetCursorPos(&cursor);
    UINT command = static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD, cursor.x, cursor.y, 0, monitor, nullptr));
    DestroyMenu(menu);
    PostMessageA(monitor, WM_NULL, 0, 0);
    RunTrayCommand(command);
}
