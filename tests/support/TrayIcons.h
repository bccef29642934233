#pragma once
#include <windows.h>
#include <string>
#include <utility>
#include <vector>

namespace e2e {

// Whether the shell holds the icon (window, id): changing its tip succeeds only then. The
// tip is set to `tip`, so pass the one the icon already shows.
bool TrayIconPresent(HWND window, UINT id, const char* tip);
// Takes the icon away from the shell, as a shell that restarts forgets every icon.
bool ForgetTrayIcon(HWND window, UINT id);
// The balloons the shell shows now, each with its text: Wine's shell shows each as a
// balloon tooltip of its own, made when it shows and destroyed when it goes.
std::vector<std::pair<HWND, std::string>> ShownBalloons();

}  // namespace e2e
