#pragma once
#include "framework/ElxWnd.h"
#include "framework/RootElement.h"
#include "graphics/Region.h"

// A borderless top-level window with shaped corners whose whole surface is an element
// tree; it is moved and resized by the system's own loops, started from its chrome.
class FrameWindow : public ElxWnd {
public:
    FrameWindow(int x, int y, int width, int height, DWORD style, DWORD exStyle, bool visible);

    void Draw(HDC dc) override;
    void OnCommand(WPARAM wParam) override;
    LRESULT OnLeftButtonDown(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnLeftButtonUp(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnRightButtonDown(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnRightButtonUp(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnSize(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    virtual void Layout();
    // Gives the window a new size and its layout with it, even when its size message is
    // not handled (while the library rewrites its structures no window handles any).
    void Resize(int width, int height);
    virtual String GetTooltipAt(int x, int y);

    // While blocked (a dialog of the window is open) clicks only beep.
    void SetBlocked(bool blocked) { blocked_ = blocked; }
    RootElement& Root() { return root_; }

    // The outline of a w x h frame: a cross of two rectangles and the four corner shapes.
    static Region BuildOutline(int width, int height, const Region corners[4]);

protected:
    RootElement root_;
    Region outline_;
    Region corners_[4];
    bool blocked_ = false;

private:
    LRESULT Unhandled(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Press(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Release(UINT message, WPARAM wParam, LPARAM lParam);
};
