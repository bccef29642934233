#pragma once
#include <windows.h>
#include <shellapi.h>

#include "base/String.h"

// What the tray icon's menu and clicks ask of the program around it.
class TrayHost {
public:
    virtual void ShowMonitor() = 0;
    virtual void ShowAbout() = 0;
    virtual void SetAlwaysOnTop(bool on) = 0;
    virtual void SetAutoLaunch(bool on) = 0;  // creates or deletes the start-up shortcuts
    virtual void Exit() = 0;
    // The library could not be restarted: the windows have nothing to show, so "Open" and
    // "About" are greyed and the icon brings no window forward.
    virtual bool IsLibraryDown() = 0;
    virtual void ShowHistory() = 0;

protected:
    ~TrayHost() = default;
};

// The notification-area icon: the way back to the program when its windows are hidden. The
// window it is added with receives its notifications and hands them to OnNotify.
class TrayIcon {
public:
    explicit TrayIcon(TrayHost& host) : host_(host) {}

    void Add(HWND window, UINT id);
    // 0 the normal image, 1 to 4 the image of that severity.
    void SetImage(int index);
    void Remove();
    // Adds the icon again, as it looks now, to a shell that was restarted and knows none.
    void Restore();
    void OnNotify(LPARAM lParam);
    // A balloon at the icon, titled with the program's name; iconFlag is NIIF_INFO, NIIF_WARNING
    // or NIIF_ERROR.
    void ShowBalloon(const String& text, DWORD iconFlag);

    // The menu's commands, by id.
    enum Command : UINT { kExit = 1, kAbout = 2, kOpen = 3, kAutoLaunch = 4, kAlwaysOnTop = 5, kHistory = 16 };
    // The "Notifications" submenu: the setting's value above kNotifyNone.
    enum NotifyCommand : UINT { kNotifyNone = 20, kNotifyFailures = 21, kNotifyEveryChange = 22 };
    // The menu as it is shown: built from the settings of this moment; the caller destroys it.
    HMENU BuildMenu();
    // Carries out a chosen command (0: the menu was dismissed).
    void RunCommand(UINT command);

private:
    // "History" below the items before it, greyed like "Open" while there is no library.
    void AppendHistoryItem(HMENU menu);

    TrayHost& host_;
    NOTIFYICONDATAA record_{};
};
