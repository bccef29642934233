#pragma once
#include <windows.h>

#include <optional>
#include <vector>

#include "graphics/PixelEffectsBits.h"

// The bits behind a DC, when the pixel effects may work on them directly: a 24- or 32-bit
// BI_RGB DIB section is selected, logical units are plain pixels (MM_TEXT, no world
// transform, no mirrored layout) and the clip is known. Pending GDI drawing is flushed.
struct DirectPixels {
    DibBits dib;
    int originX = 0;  // where logical (0, 0) lies in the bitmap
    int originY = 0;
    std::vector<PixelBounds> clip;  // bitmap coordinates; empty for no clip region
};
std::optional<DirectPixels> FindDirectPixels(HDC dc);
