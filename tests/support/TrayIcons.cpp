#include "tests/support/TrayIcons.h"

// After windows.h, which it needs.
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

}  // namespace e2e
