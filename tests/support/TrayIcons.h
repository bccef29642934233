#pragma once
#include <windows.h>

namespace e2e {

// Whether the shell holds the icon (window, id): changing its tip succeeds only then. The
// tip is set to `tip`, so pass the one the icon already shows.
bool TrayIconPresent(HWND window, UINT id, const char* tip);
// Takes the icon away from the shell, as a shell that restarts forgets every icon.
bool ForgetTrayIcon(HWND window, UINT id);

}  // namespace e2e
