#pragma once
#include "framework/ElementRouting.h"
#include "framework/ElxWnd.h"
#include "framework/RootElement.h"
#include "graphics/Region.h"

// A borderless top-level window with shaped corners whose whole surface is an element
// tree; it is moved and resized by the system's own loops, started from its chrome.
class FrameWindow : public ElementRouting<ElxWnd> {
public:
    FrameWindow(int x, int y, int width, int height, DWORD style, DWORD exStyle, bool visible);

    void Draw(HDC dc) override;
    void OnCommand(WPARAM wParam) override;
    LRESULT OnSize(WPARAM wParam, LPARAM lParam) override;

    virtual void Layout();
    // Gives the window a new size and its layout with it, even when its size message is
    // not handled (while the library rewrites its structures no window handles any).
    void Resize(int width, int height);
    virtual String GetTooltipAt(int x, int y);

    RootElement& Root() { return root_; }

    // The outline of a w x h frame: a cross of two rectangles and the four corner shapes.
    static Region BuildOutline(int width, int height, const Region corners[4]);

protected:
    RootElement root_;
    Region outline_;
    Region corners_[4];

    RootElement* ElementRoot() override { return &root_; }
    // A release or move no element took shows the arrow.
    LRESULT NotTaken(UINT message, WPARAM wParam, LPARAM lParam) override;
};
