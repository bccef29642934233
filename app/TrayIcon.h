#pragma once
#include <windows.h>

#include <functional>

// The notification-area icon: the way back to the program when its windows are hidden.
// It belongs to the monitor window, which hands it the notifications of its message.
void AddTrayIcon(HWND window, UINT id);
// 0 the normal image, 1 to 4 the image of that severity.
void SetTrayImage(int index);
void RemoveTrayIcon();
// Adds the icon again, as it looks now, to a shell that was restarted and knows none.
void RestoreTrayIcon();
void OnTrayNotify(WPARAM wParam, LPARAM lParam);

// The tray menu's commands, by id.
enum TrayCommand : UINT { kTrayExit = 1, kTrayAbout = 2, kTrayOpen = 3, kTrayAutoLaunch = 4, kTrayAlwaysOnTop = 5 };

// The menu as it is shown: built from the settings of this moment; the caller destroys it.
HMENU BuildTrayMenu();
// Carries out a chosen command (0: the menu was dismissed).
void RunTrayCommand(UINT command);

// What the tray does with the windows and the program; each may be empty while its
// window does not exist.
struct TrayHooks {
    std::function<void()> showMonitor;
    std::function<void()> showAbout;
    std::function<void(bool)> setAlwaysOnTop;
    std::function<void(bool)> setAutoLaunch;  // creates or deletes the start-up shortcuts
    std::function<void()> exit;
    // The library could not be restarted: the windows have nothing to show, so "Open" and
    // "About" are greyed and the icon brings no window forward.
    std::function<bool()> libraryDown;
};
void SetTrayHooks(TrayHooks hooks);
