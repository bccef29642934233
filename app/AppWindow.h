#pragma once
#include <windows.h>

#include "app/TrayIcon.h"
#include "framework/ElxWnd.h"

// What the application window hears from the system, handed to the program around it; the
// tray icon's requests come with it.
class AppWindowHost : public TrayHost {
public:
    // The machine woke from suspend.
    virtual void Resumed() = 0;
    // A device came or went.
    virtual void DevicesChanged() = 0;
    // The user logs off or the machine shuts down: the end of the message loop is never reached.
    virtual void SessionEnding() = 0;
    // Another process asks for the report (WM_COPYDATA, which carries the asking window);
    // false when the message is not such a request.
    virtual bool ReportRequested(HWND self, HWND requester, const COPYDATASTRUCT& request) = 0;
};

// The program's own hidden top-level window: it holds the tray icon and hears the system's
// broadcasts, which go to top-level windows ("TaskbarCreated" among them), and a WM_QUIT sent
// to it ends the program. There is one for the life of the message loop. Its class is its own,
// so that nobody takes it for one of the views.
class AppWindow : public ElxWnd {
public:
    static constexpr UINT kTrayMessage = 1124;  // the tray icon's id and notification message

    explicit AppWindow(AppWindowHost& host);
    ~AppWindow() override;

    TrayIcon& Tray() { return tray_; }

    LRESULT OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnMessageWhileSilenced(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void HandleProgramMessage(UINT message, WPARAM wParam, LPARAM lParam);

    AppWindowHost& host_;
    TrayIcon tray_;
};

// Module operations on the window's tray icon; each does nothing while the window does not exist.
void SetTrayImage(int index);
// The icon goes, and the notices waiting for it with it.
void RemoveTrayIcon();
void ShowTrayBalloon(const String& text, DWORD iconFlag);
// The notices are looked at again (ShowDueNotices) after delayMs, and then each time the
// delay passes until the timer is stopped.
void SetNoticeTimer(UINT delayMs);
void StopNoticeTimer();
