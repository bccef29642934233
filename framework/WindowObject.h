#pragma once
#include <windows.h>

#include <vector>

#include "base/Scale.h"

// What every window and every dialog of the program shares: an object behind one window,
// found again from the window's handle for each message, which it turns into calls of the
// virtual handlers below. A message a handler leaves alone gets what its kind of window
// gives it (the system's default procedure for a window, "not handled" for a dialog).
//
// The object is entered at the first message its window procedure can tell it by
// (WM_NCCREATE for a window, WM_INITDIALOG for a dialog) and leaves at WM_DESTROY, so that
// its handlers see the whole life of the window.
//
// Each window has the display scale of the monitor it is on. Its handlers and elements work
// in 96-DPI coordinates: mouse positions and WM_SIZE arrive here already converted, its
// paint DCs carry the scale (ScaledDC.h), and what it gives the system in pixels (window
// sizes, child positions, regions) goes through Px. Screen positions stay in pixels.
class WindowObject {
public:
    WindowObject() = default;
    virtual ~WindowObject();
    WindowObject(const WindowObject&) = delete;
    WindowObject& operator=(const WindowObject&) = delete;

    HWND Handle() const { return hwnd_; }
    const Scale& GetScale() const { return scale_; }
    int Px(int v) const { return scale_.Px(v); }
    // The scale of any window: its object's, or the one the system reports for it; for no
    // window, the screen's (where a window about to be made will open).
    static Scale ScaleOf(HWND window);

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

    // The one dispatch of windows and dialogs alike; what the procedure returns.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // A window timer whose ticks come to this object's WM_TIMER handling straight from the
    // message loop, not through the window's procedure: a window whose tooltip subclasses
    // it pays that chain's property lookups (a call into the system each under Wine) on
    // every message, too much for a timer that ticks ten times a second.
    void SetTick(UINT_PTR id, UINT milliseconds);

    // The window moved to a monitor of another scale (WM_DPICHANGED, the new scale already
    // in GetScale() and the system's suggested rectangle applied): lay out again.
    virtual void OnScaleChanged();
    // Takes a new scale: a top-level window at WM_DPICHANGED, moved to the suggested
    // rectangle, then each of its children with the rectangle left as it lays them out.
    LRESULT Rescale(Scale scale, const RECT* suggested);

    // Paints the whole window now.
    void Refresh();
    // Marks the whole window for the next paint: several changes in a row paint once.
    void Invalidate() { InvalidateRect(hwnd_, nullptr, FALSE); }
    // The window's size in 96-DPI units.
    SIZE GetSize() const;
    // A DC on the window for painting outside WM_PAINT, carrying the window's scale.
    HDC GetScaledDC() const;

    // The object behind a window, or null (before its first message, after destruction).
    static WindowObject* FromHandle(HWND window);
    // The objects whose windows exist, in the order of their handles.
    static std::vector<WindowObject*> All();

protected:
    // What the kind of window gives a message no handler took.
    virtual LRESULT Unhandled(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // Enters the object under its window as the window's first message arrives.
    void Attach(HWND window);

    HWND hwnd_ = nullptr;
    // The message being dispatched, for handlers whose arguments don't carry it.
    WPARAM wParam_ = 0;
    LPARAM lParam_ = 0;
    // What OnDestroy, OnEraseBackground and OnCommand leave for the dispatcher to return.
    LRESULT result_ = 0;
    Scale scale_;

private:
    LRESULT Route(UINT message, WPARAM wParam, LPARAM lParam);

    void Detach();
};
