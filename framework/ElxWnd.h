#pragma once
#include <windows.h>

#include "framework/WindowsAlive.h"

// Base of every window of the program. Each object owns one window of the class
// "ElxWnd" and is found again through the window map for each message, which it turns
// into calls of the virtual handlers below; what a class leaves alone goes to
// DefWindowProcA. Windows are created at (0, 0) with size 0 and placed afterwards;
// derived classes initialise after the base constructor returns, since messages sent
// during CreateWindowExA find no object yet.
class ElxWnd {
public:
    ElxWnd(HWND parent, DWORD style, DWORD exStyle, bool visible);
    virtual ~ElxWnd();
    ElxWnd(const ElxWnd&) = delete;
    ElxWnd& operator=(const ElxWnd&) = delete;

    HWND Handle() const { return hwnd_; }

    virtual void OnDestroy();
    virtual void Draw(HDC dc);
    virtual void OnCommand(WPARAM wParam);
    virtual void OnEraseBackground();
    virtual LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnActivate(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnLeftButtonDown(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnLeftButtonUp(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnRightButtonDown(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnRightButtonUp(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnSize(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Every message while windows are silenced: answered with 1, reading nothing. A window
    // that must still be reachable then answers the few messages it needs.
    virtual LRESULT OnMessageWhileSilenced(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // Paints the whole window now.
    void Refresh();
    // Marks the whole window for the next paint: several changes in a row paint once.
    void Invalidate() { InvalidateRect(hwnd_, nullptr, FALSE); }
    SIZE GetSize() const;

    // The object behind a window of the class, or null (during creation, after destruction).
    static ElxWnd* FromHandle(HWND window);

protected:
    HWND hwnd_ = nullptr;
    // The message being dispatched, for handlers whose arguments don't carry it.
    WPARAM wParam_ = 0;
    LPARAM lParam_ = 0;
    // What OnEraseBackground and OnCommand leave for the dispatcher to return.
    LRESULT result_ = 0;
};

// Registers the one window class; its atom, unchecked.
ATOM RegisterElxWndClass(HINSTANCE instance);

// The class's window procedure.
LRESULT CALLBACK ElxWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
