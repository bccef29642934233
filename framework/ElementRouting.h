#pragma once
#include <windows.h>

#include "framework/RootElement.h"

// The mouse and timer handlers of a window or dialog whose face is an element tree (Window
// is ElxWnd or the dialog base): presses, releases and moves go to the element under the
// pointer or the one holding the capture, a right press or release as one without the left
// button held, and element timers reach their elements. While blocked (a dialog of the
// window is open) presses only beep and the rest is ignored.
template <class Window>
class ElementRouting : public Window {
public:
    using Window::Window;

    void SetBlocked(bool blocked) { blocked_ = blocked; }

    LRESULT OnLeftButtonDown(WPARAM wParam, LPARAM lParam) override { return Press(WM_LBUTTONDOWN, wParam, lParam); }
    LRESULT OnRightButtonDown(WPARAM wParam, LPARAM lParam) override { return Press(WM_RBUTTONDOWN, wParam, lParam); }
    LRESULT OnLeftButtonUp(WPARAM wParam, LPARAM lParam) override {
        return Pass(WM_LBUTTONUP, &RootElement::RouteLeftButtonUp, wParam, lParam);
    }
    LRESULT OnRightButtonUp(WPARAM wParam, LPARAM lParam) override {
        return Pass(WM_RBUTTONUP, &RootElement::RouteLeftButtonUp, wParam, lParam);
    }
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam) override {
        return Pass(WM_MOUSEMOVE, &RootElement::RouteMouseMove, wParam, lParam);
    }
    LRESULT OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        RootElement* root = ElementRoot();
        if (message != WM_TIMER || !root) return Window::OnOtherMessage(message, wParam, lParam);
        root->OnTimer(static_cast<UINT>(wParam));
        return 0;
    }

protected:
    // The tree the messages go to; null while there is none.
    virtual RootElement* ElementRoot() = 0;
    // A message no element took: what the window gives any message it leaves alone.
    virtual LRESULT NotTaken(UINT message, WPARAM wParam, LPARAM lParam) {
        return this->Unhandled(message, wParam, lParam);
    }

    bool blocked_ = false;

private:
    LRESULT Press(UINT message, WPARAM wParam, LPARAM lParam) {
        if (blocked_) {
            MessageBeep(0);
            return 0;
        }
        SetActiveWindow(this->hwnd_);
        return Pass(message, &RootElement::RouteLeftButtonDown, wParam, lParam);
    }

    LRESULT Pass(UINT message, bool (RootElement::*route)(UINT, LPARAM), WPARAM wParam, LPARAM lParam) {
        if (blocked_) return 0;
        RootElement* root = ElementRoot();
        if (root && (root->*route)(static_cast<UINT>(wParam), lParam)) return Window::kHandled;
        return NotTaken(message, wParam, lParam);
    }
};
