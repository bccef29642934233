#include "graphics/CornerMask.h"

#include <algorithm>
#include <cmath>

uint8_t CornerShadeAlpha(double distance) {
    const double d = std::min(distance, double(kCornerMaskSize));
    const int t = static_cast<int>(std::floor(255.0 - d * 3.984375));
    // t never goes below 0 here, so integer division floors as well as truncates.
    return static_cast<uint8_t>(std::clamp(2 * t / 5, 0, 255));
}

uint8_t CornerMaskAlpha(CornerMask mask, int col, int row) {
    const int dx = mask == CornerMask::First ? col : kCornerMaskSize - col;
    const int dy = mask == CornerMask::First ? kCornerMaskSize - row : row;
    return CornerShadeAlpha(std::sqrt(double(dx * dx + dy * dy)));
}

void FillCornerMask(CornerMask mask, uint32_t* pixels, ptrdiff_t stride) {
    for (int row = 0; row < kCornerMaskSize; ++row) {
        for (int col = 0; col < kCornerMaskSize; ++col) {
            pixels[row * stride + col] = uint32_t{CornerMaskAlpha(mask, col, row)} << 24;
        }
    }
}

CornerShadePlacement PlaceCornerShade(const Rect& rect) {
    CornerShadePlacement placement{rect, rect.width > 0 ? CornerMask::First : CornerMask::Second};
    Rect& r = placement.rect;
    if (r.width < 0) {
        r.x += r.width;
        r.width = -r.width;
    }
    if (r.height < 0) {
        r.y += r.height;
        r.height = -r.height;
    }
    return placement;
}
