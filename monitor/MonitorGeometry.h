#pragma once
#include "base/Scale.h"
#include "monitor/TileGeometry.h"

// The arithmetic of the monitoring window: its fixed width, heights that show whole tile
// rows, and keeping it on the screen. Plain numbers, no window.
namespace monitor_geometry {

constexpr int kWidth = 185;
using tiles::kRowHeight;
constexpr int kFrameHeight = 48;  // what the frame adds to the tile rows
constexpr int kMinHeight = kFrameHeight + kRowHeight;

struct Box {
    int left, top, right, bottom;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

struct Point {
    int x, y;
};

// The height that shows n tiles.
constexpr int HeightForRows(int rows) { return kFrameHeight + kRowHeight * rows; }

// A stored placement moved back onto a screen of the given size, its size kept.
Box ClampPlacement(Box placement, int screenWidth, int screenHeight);

// The rectangle proposed while the user drags the lower edge, snapped to whole rows
// (1 to nodeCount) at the fixed width; the box in pixels of the scale.
Box SnapHeight(Box proposed, int nodeCount, const Scale& scale = {});

// The rectangle during the system's moving and sizing loops, taken from the pointer's
// travel since the loop began rather than from the rectangle the loop proposes: some
// systems add each move to the rectangle the window last answered, so small moves would be
// snapped away one by one (the window never reaching the next row) and a window held at the
// screen's edge would lose its grip on the pointer.
class DragTracker {
public:
    void Begin(Box window, Point pointer);
    // Snapped to whole rows; `proposed` gives the edges that a sizing drag does not move.
    Box Sizing(Box proposed, bool bottomEdge, Point pointer, int nodeCount, const Scale& scale = {}) const;
    // Kept inside the screen.
    Box Moving(Box proposed, Point pointer, int screenWidth, int screenHeight) const;

private:
    Box start_{};
    Point pointer_{};
    bool tracking_ = false;
};

// The rectangle proposed while the window is dragged, kept inside the screen.
Box KeepInsideWhileMoving(Box proposed, int screenWidth, int screenHeight);

// Pulled back so that its right and bottom edges are on the screen.
Box ShiftOntoScreen(Box window, int screenWidth, int screenHeight);

// The height of the expanded window for `rows` tiles, cut by whole rows to fit `maximum`.
int ExpandedHeight(int rows, int maximum);

}  // namespace monitor_geometry
