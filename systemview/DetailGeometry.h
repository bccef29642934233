#pragma once
#include <windows.h>

#include "base/Scale.h"

// The system view's placement arithmetic, apart from any window.
namespace detail_geometry {

constexpr int kMinWidth = 600, kMinHeight = 480;

// A stored placement moved (never shrunk) so that its left and top edges are on a screen
// of the given size, and then its right and bottom edges where it fits.
RECT ClampPlacement(RECT stored, int screenWidth, int screenHeight);

// A stored placement (the top-left corner in screen pixels, the size in 96-DPI units) as
// the window's rectangle at a scale, and the placement of a window's rectangle.
RECT PlacedBox(RECT placement, const Scale& scale);
RECT PlacementOf(RECT box, const Scale& scale);
// A stored placement whose window, at the scale, is kept on a screen of the given size in
// pixels by ClampPlacement.
RECT PlacementOnScreen(RECT placement, const Scale& scale, int screenWidth, int screenHeight);

// A window rectangle moved into the work area with a pixel to spare at the right and
// bottom, and at the left and top by moving only those edges.
RECT FitIntoWorkArea(RECT window, RECT work);

// The size the grip asks for, from the pointer's corner: the bottom kept within the work
// area, then both sides within the window's tracking limits.
SIZE GripSize(POINT windowTopLeft, POINT corner, const RECT& work, const MINMAXINFO& limits);

}  // namespace detail_geometry
