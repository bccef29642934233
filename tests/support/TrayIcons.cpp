#include "tests/support/TrayIcons.h"

// After windows.h, which they need.
#include <commctrl.h>
#include <shellapi.h>

namespace e2e {

bool TrayIconPresent(HWND window, UINT id, const char* tip) {
    NOTIFYICONDATAA record{};
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = window;
    record.uID = id;
    record.uFlags = NIF_TIP;
    lstrcpynA(record.szTip, tip, sizeof record.szTip);
    return Shell_NotifyIconA(NIM_MODIFY, &record) != FALSE;
}

bool ForgetTrayIcon(HWND window, UINT id) {
    NOTIFYICONDATAA record{};
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = window;
    record.uID = id;
    return Shell_NotifyIconA(NIM_DELETE, &record) != FALSE;
}

namespace {

using Balloons = std::vector<std::pair<HWND, std::string>>;

BOOL CALLBACK AddBalloon(HWND window, LPARAM found) {
    char className[32] = "";
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpiA(className, TOOLTIPS_CLASSA) || !IsWindowVisible(window) ||
        !(GetWindowLongA(window, GWL_STYLE) & TTS_BALLOON))
        return TRUE;
    // A tooltip answers WM_GETTEXT with the tip it shows, across processes.
    char text[256] = "";
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000, nullptr);
    reinterpret_cast<Balloons*>(found)->emplace_back(window, text);
    return TRUE;
}

}  // namespace

Balloons ShownBalloons() {
    Balloons balloons;
    EnumWindows(&AddBalloon, reinterpret_cast<LPARAM>(&balloons));
    return balloons;
}

}  // namespace e2e
