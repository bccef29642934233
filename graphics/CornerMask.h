#pragma once
#include <cstddef>
#include <cstdint>

#include "base/Rect.h"

// The soft corner shade: black pixels whose alpha falls from 102 at a corner point to 0
// at distance 64. Masks are 64 x 64 and bottom-up, so row 0 is the bottom row.
inline constexpr int kCornerMaskSize = 64;

enum class CornerMask {
    First,   // darkest towards (0, 64): the top-left corner
    Second,  // darkest towards (64, 0): the bottom-right corner
};

// Alpha at a distance from the corner point; distances beyond 64 count as 64.
uint8_t CornerShadeAlpha(double distance);

// Alpha of one mask pixel, (col, row) with row 0 at the bottom.
uint8_t CornerMaskAlpha(CornerMask mask, int col, int row);

// Fills a 64 x 64 mask, memory row r holding mask row r, alpha only (colour 0).
void FillCornerMask(CornerMask mask, uint32_t* pixels, ptrdiff_t stride);

// Where the shade goes: a negative width or height flips the rect to the other side of
// its x or y; a rect given with negative width uses the second mask.
struct CornerShadePlacement {
    Rect rect;
    CornerMask mask = CornerMask::First;
};
CornerShadePlacement PlaceCornerShade(const Rect& rect);
