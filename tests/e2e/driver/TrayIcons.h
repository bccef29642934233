#pragma once
#include <windows.h>

namespace e2e {

// Whether the shell holds the icon (window, id): changing its tip succeeds only then. The
// tip is set to `tip`, so pass the one the icon already shows.
bool TrayIconPresent(HWND window, UINT id, const char* tip);

}  // namespace e2e
