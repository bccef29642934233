#pragma once
#include "framework/ElementRouting.h"
#include "framework/ElxWnd.h"
#include "framework/RootElement.h"
#include "graphics/Region.h"

// A borderless top-level window with shaped corners whose whole surface is an element
// tree; it is moved and resized by the system's own loops, started from its chrome.
class FrameWindow : public ElementRouting<ElxWnd> {
public:
    // At (x, y) on the screen in pixels, width x height in 96-DPI units.
    FrameWindow(int x, int y, int width, int height, DWORD style, DWORD exStyle, bool visible);

    void Draw(HDC dc) override;
    void OnCommand(WPARAM wParam) override;
    LRESULT OnSize(WPARAM wParam, LPARAM lParam) override;

    virtual void Layout();
    // The corners drawn for the new scale, and the layout again.
    void OnScaleChanged() override;
    // Gives the window a new size (96-DPI units) and its layout with it, even when its size
    // message is not handled (while the library rewrites its structures no window handles any).
    void Resize(int width, int height);
    virtual String GetTooltipAt(int x, int y);

    RootElement& Root() { return root_; }

    // The outline of a w x h pixel frame: a cross of two rectangles and the four corner
    // shapes, all in pixels of the scale.
    static Region BuildOutline(int width, int height, const Region corners[4], const Scale& scale);

protected:
    RootElement root_;
    Region outline_;     // in pixels, as the window's region
    Region corners_[4];  // drawn for the window's scale

    void LoadCorners();

    RootElement* ElementRoot() override { return &root_; }
    // A release or move no element took shows the arrow.
    LRESULT NotTaken(UINT message, WPARAM wParam, LPARAM lParam) override;
};
