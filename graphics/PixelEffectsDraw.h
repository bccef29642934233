#pragma once
// The pixel effects written once over any canvas, so that the DC and the DIB-bits paths
// step through exactly the same pixels in the same order. A canvas offers
//   PixelBounds Bounds() const;             pixels outside never change
//   uint32_t Get(int x, int y);             0x00BBGGRR, kInvalidColor where it cannot read
//   void Set(int x, int y, uint32_t color);
// The effects never call Get or Set outside the bounds (the DIB-bits canvas relies on it and
// checks nothing), and loops skip what lies outside them, so a line a million pixels long
// costs no more than its visible part.
#include <algorithm>
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
inline void ChangePixel(Canvas& canvas, int64_t x, int64_t y, const Change& change) {
    if (!canvas.Bounds().Contains(x, y)) return;
    const int px = static_cast<int>(x), py = static_cast<int>(y);
    canvas.Set(px, py, change(canvas.Get(px, py)));
}

// A pixel set to `color` as it is.
template <typename Canvas>
inline void Plot(Canvas& canvas, int64_t x, int64_t y, uint32_t color) {
    if (canvas.Bounds().Contains(x, y)) canvas.Set(static_cast<int>(x), static_cast<int>(y), color);
}

// A pixel mixed with `color` by `weight` (see BlendColor); BlendInside is for pixels known
// to lie inside the bounds. It is the whole of a line's work per pixel, and left to itself
// the compiler calls it rather than inlining it into the line's loop.
template <typename Canvas>
[[gnu::always_inline]] inline void BlendInside(Canvas& canvas, int64_t x, int64_t y, uint32_t color, int weight) {
    const int px = static_cast<int>(x), py = static_cast<int>(y);
    canvas.Set(px, py, weight <= kOpaqueWeight ? color : BlendColor(canvas.Get(px, py), color, weight));
}
template <typename Canvas>
inline void Blend(Canvas& canvas, int64_t x, int64_t y, uint32_t color, int weight) {
    if (canvas.Bounds().Contains(x, y)) BlendInside(canvas, x, y, color, weight);
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
    Plot(canvas, x0, y0, color);
    const int direction = x1 >= x0 ? 1 : -1;
    const int64_t dx = (x1 - x0) * direction, dy = y1 - y0;

    if (dy == 0 || dx == 0 || dx == dy) {  // straight: every pixel in the line's colour
        const int stepX = dx == 0 ? 0 : direction, stepY = dy == 0 ? 0 : 1;
        Steps s = Within({1, std::max(dx, dy)}, x0, stepX, bounds.left, bounds.right);
        s = Within(s, y0, stepY, bounds.top, bounds.bottom);
        for (int64_t k = s.first; k <= s.last; ++k) Plot(canvas, x0 + stepX * k, y0 + stepY * k, color);
        return;
    }

    const bool yMajor = dy > dx;
    const int64_t major = yMajor ? dy : dx, minor = yMajor ? dx : dy;
    const uint32_t adjust = static_cast<uint32_t>((minor << 16) / major);
    const int acrossX = yMajor ? direction : 0, acrossY = yMajor ? 0 : 1;
    // Steps 1 .. major - 1, less those whose pair lies wholly off the major axis's bounds.
    const Steps s = yMajor ? Within({1, major - 1}, y0, 1, bounds.top, bounds.bottom)
                           : Within({1, major - 1}, x0, direction, bounds.left, bounds.right);
    if (s.first > s.last) return Plot(canvas, x1, y1, color);
    // The minor axis's offset after step k: the accumulator wraps once for every 65536 it
    // gathers (at every step when adjust is 0, since the new value is then never greater).
    const auto minorAfter = [adjust](int64_t k) { return adjust == 0 ? k : int64_t((uint64_t(k) * adjust) >> 16); };
    // The pixel at step k, `across` pixels over on the minor axis.
    const auto at = [=](int64_t k, int64_t across) {
        return std::pair{x0 + direction * (yMajor ? across : k), y0 + (yMajor ? k : across)};
    };
    // Plain values, not references, so that writing a pixel does not make them be read again.
    const auto eachPair = [=](auto blend) {
        uint16_t accumulator = static_cast<uint16_t>(uint64_t(s.first - 1) * adjust);
        auto [x, y] = at(s.first - 1, minorAfter(s.first - 1));
        for (int64_t k = s.first; k <= s.last; ++k) {
            const uint16_t old = accumulator;
            accumulator = static_cast<uint16_t>(accumulator + adjust);
            const int64_t wrapped = accumulator <= old;  // then the minor axis steps too
            x += yMajor ? direction * wrapped : direction;
            y += yMajor ? 1 : wrapped;
            const int weight = accumulator >> 12;
            blend(x, y, weight);  // the nearer pixel, then its neighbour across
            blend(x + acrossX, y + acrossY, kClearWeight - weight);
        }
    };
    // The pairs lie between the first's nearer pixel and the last's neighbour, and most lines
    // lie wholly inside the bounds: then no pixel needs checking.
    const auto [firstX, firstY] = at(s.first, minorAfter(s.first));
    const auto [lastX, lastY] = at(s.last, minorAfter(s.last) + 1);
    const bool inside = bounds.Contains(firstX, firstY) && bounds.Contains(lastX, lastY);
    if (inside) {
        eachPair([&canvas, color](int64_t x, int64_t y, int weight) { BlendInside(canvas, x, y, color, weight); });
    } else {
        eachPair([&canvas, color](int64_t x, int64_t y, int weight) { Blend(canvas, x, y, color, weight); });
    }
    Plot(canvas, x1, y1, color);
}

// Recolours the key-coloured pixels around (cx, cy): `color` at the centre, fading to
// unchanged at the glow's reach. Columns outside, rows inside, as the look was first made;
// each column steps only through the rows within reach and bounds. Every pixel it changes
// had the key colour, so its new colour depends only on its distance: each is worked out
// once per call, by the same formula.
template <typename Canvas>
void Glow(Canvas& canvas, int cx, int cy, uint32_t color, uint32_t key) {
    const GlowGeometry& geometry = TheGlowGeometry();
    const PixelBounds bounds = canvas.Bounds();
    uint32_t shade[GlowGeometry::kSquares];
    bool known[GlowGeometry::kSquares] = {};
    const Steps columns = Within({-kGlowHalfSize, kGlowHalfSize}, cx, 1, bounds.left, bounds.right);
    for (int64_t dx = columns.first; dx <= columns.last; ++dx) {
        const int64_t reachDy = geometry.reachDy[dx < 0 ? -dx : dx];
        const Steps rows = Within({-reachDy, reachDy}, cy, 1, bounds.top, bounds.bottom);
        for (int64_t dy = rows.first; dy <= rows.last; ++dy) {
            const int px = static_cast<int>(cx + dx), py = static_cast<int>(cy + dy);
            if (canvas.Get(px, py) != key) continue;
            const int square = static_cast<int>(dx * dx + dy * dy);
            if (!known[square]) {
                shade[square] = GlowColor(key, color, geometry.distance[square]);
                known[square] = true;
            }
            canvas.Set(px, py, shade[square]);
        }
    }
}

}  // namespace pixel_effects
