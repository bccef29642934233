#pragma once
#include <windows.h>

#include <functional>

class DeviceNode;

// What the monitoring window asks of the program around it. The program fills these in
// before the window is made; an empty hook does nothing.
struct MonitorHooks {
    std::function<void()> exit;                      // a WM_QUIT was sent to the window
    std::function<void()> resume;                    // the machine woke from suspend
    std::function<void()> deviceChange;              // a device came or went
    std::function<bool()> libraryDown;               // no restart succeeded: only the program's own messages are heard
    std::function<void()> endSession;                // the user logs off or the machine shuts down
    std::function<void(HWND, UINT)> addTrayIcon;     // the window and message that get its notifications
    std::function<void(int)> setTrayImage;           // 0 the normal image, 1 to 4 a severity's
    std::function<void(WPARAM, LPARAM)> trayNotify;  // the tray icon's notifications
    std::function<void()> shellRestarted;            // the taskbar was made anew: add the icon again
    std::function<void(DeviceNode&)> openDetails;    // a tile was clicked: the system view on its node
    std::function<void()> closeDetails;              // the window closes or goes: the system view with it
    std::function<bool()> isOptionsDialogOpen;       // tiles refuse presses while an options dialog is open
};
void SetMonitorHooks(MonitorHooks hooks);
