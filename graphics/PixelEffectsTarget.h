#pragma once
#include <windows.h>

#include <optional>
#include <span>
#include <vector>

#include "graphics/PixelEffectsBits.h"

// The bits behind a DC, when the pixel effects may work on them directly: a 24- or 32-bit
// BI_RGB DIB section is selected, logical units are plain pixels (MM_TEXT, no world
// transform, no mirrored layout) and the clip is known. Pending GDI drawing is flushed.
struct DirectPixels {
    DibBits dib;
    int originX = 0;  // where logical (0, 0) lies in the bitmap
    int originY = 0;
    PixelBounds box;                 // bitmap coordinates: the visible area's bounding box
    std::vector<PixelBounds> parts;  // the clip's rectangles within it, when it has several
    // The rectangles that show, which never overlap.
    std::span<const PixelBounds> Shown() const { return parts.empty() ? std::span(&box, 1) : std::span(parts); }
};
std::optional<DirectPixels> FindDirectPixels(HDC dc);
