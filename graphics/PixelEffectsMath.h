#pragma once
#include <cstdint>

// The colour formulas of the pixel effects. Colours are 0x00BBGGRR, red in the low byte, as
// GDI's COLORREF holds them; the high byte of an argument is ignored and 0 in a result.

// What GetPixel answers for a pixel outside the bitmap or the clip.
constexpr uint32_t kInvalidColor = 0xFFFFFFFFu;

// Each channel v becomes v + (255 - v) * percent / 100: 0 keeps the colour, 100 is white.
// Percentages outside 0 to 100 count as the nearer end.
uint32_t Lighten(uint32_t color, int percent);
// Each channel v becomes v * percent / 100 (percent is the share kept): 0 is black.
uint32_t Darken(uint32_t color, int percent);

// Applies formula(old channel, color channel) to red, green and blue of two colours. Written
// out channel by channel, and inline, since the lines blend every pixel through it.
template <typename Formula>
inline uint32_t EachChannelPair(uint32_t old, uint32_t color, const Formula& formula) {
    const auto one = [&](int shift) {
        const int value = formula(static_cast<int>((old >> shift) & 0xFF), static_cast<int>((color >> shift) & 0xFF));
        return static_cast<uint32_t>(value & 0xFF) << shift;
    };
    return one(0) | one(8) | one(16);
}

// One channel formula as a table, for the lines and bevels that apply one percentage to
// many pixels. Apply gives exactly what Lighten or Darken would.
struct ChannelTable {
    uint8_t out[256];
    uint32_t Apply(uint32_t color) const {
        return uint32_t(out[color & 0xFF]) | uint32_t(out[(color >> 8) & 0xFF]) << 8 |
               uint32_t(out[(color >> 16) & 0xFF]) << 16;
    }
};
ChannelTable LightenTable(int percent);
ChannelTable DarkenTable(int percent);

// The line weights: 0 (or less) gives `color`, 15 (or more) leaves `old`; in between each
// channel is color + (old - color) * weight / 15, truncated toward zero.
constexpr int kOpaqueWeight = 0;
constexpr int kClearWeight = 15;
// Each channel's step (old - color) * weight / 15 for every weight and difference, worked
// out at compile time: a line blends every pixel it touches, and a lookup beats dividing.
struct BlendSteps {
    int16_t step[kClearWeight + 1][2 * 255 + 1];  // [weight][old - color + 255]
};
inline constexpr BlendSteps kBlendSteps = [] {
    BlendSteps steps{};
    for (int w = 0; w <= kClearWeight; ++w) {
        for (int d = -255; d <= 255; ++d) steps.step[w][d + 255] = static_cast<int16_t>(d * w / kClearWeight);
    }
    return steps;
}();

inline uint32_t BlendColor(uint32_t old, uint32_t color, int weight) {
    if (weight <= kOpaqueWeight) return color & 0xFFFFFF;
    const int16_t* step = kBlendSteps.step[weight < kClearWeight ? weight : kClearWeight] + 255;
    return EachChannelPair(old, color, [step](int o, int c) { return c + step[o - c]; });
}

// The glow's reach: it shades pixels up to sqrt(800) away, a bit over 28, inside the
// 51 x 51 square around its centre.
constexpr int kGlowHalfSize = 25;
double GlowReach();
// A key-coloured pixel at `distance` from the centre: each channel becomes
// trunc((old - color) * distance / reach + color), so it is `color` at the centre and
// fades back to `old` at the reach.
uint32_t GlowColor(uint32_t old, uint32_t color, double distance);

// The glow's geometry, worked out once: the distance for each dx * dx + dy * dy of the
// square, and for each |dx| the largest |dy| whose distance is within reach.
struct GlowGeometry {
    static constexpr int kSquares = 2 * kGlowHalfSize * kGlowHalfSize + 1;
    double distance[kSquares];
    int reachDy[kGlowHalfSize + 1];
};
const GlowGeometry& TheGlowGeometry();
