#include "graphics/PixelEffectsMath.h"

#include <algorithm>
#include <cmath>

namespace {

int Percent(int percent) { return std::clamp(percent, 0, 100); }
int LightenChannel(int v, int percent) { return v + (255 - v) * Percent(percent) / 100; }
int DarkenChannel(int v, int percent) { return v * Percent(percent) / 100; }

template <typename Formula>
ChannelTable TableOf(Formula formula) {
    ChannelTable table{};
    for (int v = 0; v < 256; ++v) table.out[v] = static_cast<uint8_t>(formula(v));
    return table;
}

}  // namespace

uint32_t Lighten(uint32_t color, int percent) {
    return EachChannelPair(color, 0, [percent](int v, int) { return LightenChannel(v, percent); });
}

uint32_t Darken(uint32_t color, int percent) {
    return EachChannelPair(color, 0, [percent](int v, int) { return DarkenChannel(v, percent); });
}

ChannelTable LightenTable(int percent) {
    return TableOf([percent](int v) { return LightenChannel(v, percent); });
}

ChannelTable DarkenTable(int percent) {
    return TableOf([percent](int v) { return DarkenChannel(v, percent); });
}

double GlowReach() { return std::sqrt(800.0); }

namespace {

// trunc((old - color) * distance / reach + color), exactly, mostly without dividing: times
// 1 / reach the value is within 1e-12 of the quotient's, so it truncates the same unless it
// lies that near a whole number, and only then is the division done.
int GlowChannel(int old, int color, double distance) {
    static const double reach = GlowReach(), inverse = 1.0 / reach;
    const double product = double(old - color) * distance;
    const double quick = product * inverse + color;
    const double fraction = quick - double(static_cast<int>(quick));
    if (fraction > 1e-9 && fraction < 1.0 - 1e-9) return static_cast<int>(quick);
    return static_cast<int>(product / reach + color);
}

}  // namespace

uint32_t GlowColor(uint32_t old, uint32_t color, double distance) {
    return EachChannelPair(old, color, [distance](int o, int c) { return GlowChannel(o, c, distance); });
}

const GlowGeometry& TheGlowGeometry() {
    static const GlowGeometry geometry = [] {
        GlowGeometry g{};
        for (int square = 0; square < GlowGeometry::kSquares; ++square) g.distance[square] = std::sqrt(double(square));
        for (int dx = 0; dx <= kGlowHalfSize; ++dx) {
            g.reachDy[dx] = -1;
            for (int dy = 0; dy <= kGlowHalfSize && g.distance[dx * dx + dy * dy] <= GlowReach(); ++dy) {
                g.reachDy[dx] = dy;
            }
        }
        return g;
    }();
    return geometry;
}
