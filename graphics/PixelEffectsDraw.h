#pragma once
// The pixel effects written once over any canvas, so that the DC and the DIB-bits paths
// step through exactly the same pixels in the same order. A canvas offers
//   PixelBounds Bounds() const;             pixels outside never change
//   uint32_t Get(int x, int y);             0x00BBGGRR, kInvalidColor where it cannot read
//   void Set(int x, int y, uint32_t color);
// Nothing outside the bounds is read or written, and loops skip what lies outside them, so
// a line a million pixels long costs no more than its visible part.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "graphics/PixelEffectsMath.h"

struct PixelBounds {
    int64_t left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
    bool Contains(int64_t x, int64_t y) const { return x >= left && x < right && y >= top && y < bottom; }
};

namespace pixel_effects {

// The steps k of [first, last] at which start + direction * k lies in [low, high).
struct Steps {
    int64_t first, last;
};
inline Steps Within(Steps steps, int64_t start, int direction, int64_t low, int64_t high) {
    if (direction > 0) return {std::max(steps.first, low - start), std::min(steps.last, high - 1 - start)};
    if (direction < 0) return {std::max(steps.first, start - high + 1), std::min(steps.last, start - low)};
    return start >= low && start < high ? steps : Steps{1, 0};
}

template <typename Canvas, typename Change>
void ChangePixel(Canvas& canvas, int64_t x, int64_t y, const Change& change) {
    if (!canvas.Bounds().Contains(x, y)) return;
    const int px = static_cast<int>(x), py = static_cast<int>(y);
    canvas.Set(px, py, change(canvas.Get(px, py)));
}

template <typename Canvas>
void Blend(Canvas& canvas, int64_t x, int64_t y, uint32_t color, int weight) {
    if (weight <= kOpaqueWeight) {
        if (canvas.Bounds().Contains(x, y)) canvas.Set(static_cast<int>(x), static_cast<int>(y), color);
        return;
    }
    ChangePixel(canvas, x, y, [&](uint32_t old) { return BlendColor(old, color, weight); });
}

// Every pixel from x1 to x2 inclusive on row y (none when x1 > x2).
template <typename Canvas, typename Change>
void ChangeRow(Canvas& canvas, int64_t x1, int64_t y, int64_t x2, const Change& change) {
    const Steps s = Within({0, x2 - x1}, x1, 1, canvas.Bounds().left, canvas.Bounds().right);
    if (y < canvas.Bounds().top || y >= canvas.Bounds().bottom) return;
    for (int64_t k = s.first; k <= s.last; ++k) ChangePixel(canvas, x1 + k, y, change);
}

template <typename Canvas, typename Change>
void ChangeColumn(Canvas& canvas, int64_t x, int64_t y1, int64_t y2, const Change& change) {
    const Steps s = Within({0, y2 - y1}, y1, 1, canvas.Bounds().top, canvas.Bounds().bottom);
    if (x < canvas.Bounds().left || x >= canvas.Bounds().right) return;
    for (int64_t k = s.first; k <= s.last; ++k) ChangePixel(canvas, x, y1 + k, change);
}

inline auto Lightening(int percent) {
    return [table = LightenTable(percent)](uint32_t old) { return table.Apply(old); };
}
inline auto Darkening(int percent) {
    return [table = DarkenTable(percent)](uint32_t old) { return table.Apply(old); };
}

// Rings from the outside in, each lightened on top and left and darkened on bottom and
// right; ring i (of depth) changes by w = 100 * (i + 1) / depth per cent, so the innermost
// ring is left as it is and the rim fades into the surface. Edges are inclusive.
template <typename Canvas>
void Bevel(Canvas& canvas, int left, int top, int right, int bottom, int depth) {
    const int64_t l = left, t = top, r = right, b = bottom;
    for (int64_t i = 0; i < depth; ++i) {
        if (l + i > r - i && t + i > b - i) break;  // every further ring is empty
        const int w = static_cast<int>(100 * (i + 1) / depth);
        ChangeRow(canvas, l + i, t + i, r - i, Lightening(100 - w));
        ChangeRow(canvas, l + i, b - i, r - i, Darkening(w));
        ChangeColumn(canvas, l + i, t + i, b - i, Lightening(100 - w));
        ChangeColumn(canvas, r - i, t + i, b - i, Darkening(w));
    }
}

// Wu's line with 16 intensity levels: a 16-bit accumulator of the minor axis's fraction,
// its top 4 bits the weight of the nearer pixel of each pair, 15 minus them the other's.
template <typename Canvas>
void WuLine(Canvas& canvas, int fromX, int fromY, int toX, int toY, uint32_t color) {
    int64_t x0 = fromX, y0 = fromY, x1 = toX, y1 = toY;
    if (y0 > y1) {
        std::swap(x0, x1);
        std::swap(y0, y1);
    }
    const PixelBounds bounds = canvas.Bounds();
    Blend(canvas, x0, y0, color, kOpaqueWeight);
    const int direction = x1 >= x0 ? 1 : -1;
    const int64_t dx = (x1 - x0) * direction, dy = y1 - y0;

    if (dy == 0 || dx == 0 || dx == dy) {  // straight: every pixel in the line's colour
        const int stepX = dx == 0 ? 0 : direction, stepY = dy == 0 ? 0 : 1;
        Steps s = Within({1, std::max(dx, dy)}, x0, stepX, bounds.left, bounds.right);
        s = Within(s, y0, stepY, bounds.top, bounds.bottom);
        for (int64_t k = s.first; k <= s.last; ++k) Blend(canvas, x0 + stepX * k, y0 + stepY * k, color, kOpaqueWeight);
        return;
    }

    const bool yMajor = dy > dx;
    const int64_t major = yMajor ? dy : dx, minor = yMajor ? dx : dy;
    const uint32_t adjust = static_cast<uint32_t>((minor << 16) / major);
    // Steps 1 .. major - 1, less those whose pair lies wholly off the major axis's bounds.
    const Steps s = yMajor ? Within({1, major - 1}, y0, 1, bounds.top, bounds.bottom)
                           : Within({1, major - 1}, x0, direction, bounds.left, bounds.right);
    if (s.first > s.last) {
        Blend(canvas, x1, y1, color, kOpaqueWeight);
        return;
    }
    // The state after step first - 1: the accumulator wraps once for every 65536 it gathers
    // (at every step when adjust is 0, since the new value is then never greater).
    const uint64_t gathered = uint64_t(s.first - 1) * adjust;
    uint16_t accumulator = static_cast<uint16_t>(gathered);
    int64_t minorPos = adjust == 0 ? s.first - 1 : int64_t(gathered >> 16);
    for (int64_t k = s.first; k <= s.last; ++k) {
        const uint16_t old = accumulator;
        accumulator = static_cast<uint16_t>(accumulator + adjust);
        if (accumulator <= old) ++minorPos;
        const int weight = accumulator >> 12;
        if (yMajor) {
            const int64_t x = x0 + direction * minorPos, y = y0 + k;
            Blend(canvas, x, y, color, weight);
            Blend(canvas, x + direction, y, color, kClearWeight - weight);
        } else {
            const int64_t x = x0 + direction * k, y = y0 + minorPos;
            Blend(canvas, x, y, color, weight);
            Blend(canvas, x, y + 1, color, kClearWeight - weight);
        }
    }
    Blend(canvas, x1, y1, color, kOpaqueWeight);
}

// Recolours the key-coloured pixels around (cx, cy): `color` at the centre, fading to
// unchanged at the glow's reach. Columns outside, rows inside, as the look was first made.
// Every pixel it changes had the key colour, so its new colour depends only on its distance:
// each is worked out once per call, by the same formula.
template <typename Canvas>
void Glow(Canvas& canvas, int cx, int cy, uint32_t color, uint32_t key) {
    const double reach = GlowReach();
    constexpr int kSquares = 2 * kGlowHalfSize * kGlowHalfSize + 1;
    uint32_t shade[kSquares];
    bool known[kSquares] = {};
    for (int dx = -kGlowHalfSize; dx <= kGlowHalfSize; ++dx) {
        for (int dy = -kGlowHalfSize; dy <= kGlowHalfSize; ++dy) {
            const int square = dx * dx + dy * dy;
            const double distance = std::sqrt(double(square));
            const int64_t x = int64_t(cx) + dx, y = int64_t(cy) + dy;
            if (distance > reach || !canvas.Bounds().Contains(x, y)) continue;
            const int px = static_cast<int>(x), py = static_cast<int>(y);
            if (canvas.Get(px, py) != key) continue;
            if (!known[square]) {
                shade[square] = GlowColor(key, color, distance);
                known[square] = true;
            }
            canvas.Set(px, py, shade[square]);
        }
    }
}

}  // namespace pixel_effects
