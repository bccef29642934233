#include "graphics/PixelEffectsMath.h"

#include <algorithm>
#include <cmath>

namespace {

int Channel(uint32_t color, int shift) { return static_cast<int>((color >> shift) & 0xFF); }

// Applies one channel formula to red, green and blue of two colours.
template <typename Formula>
uint32_t EachChannelPair(uint32_t old, uint32_t color, Formula formula) {
    uint32_t result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int value = formula(Channel(old, shift), Channel(color, shift));
        result |= static_cast<uint32_t>(value & 0xFF) << shift;
    }
    return result;
}

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

uint32_t BlendColor(uint32_t old, uint32_t color, int weight) {
    if (weight <= kOpaqueWeight) return color & 0xFFFFFF;
    const int w = std::min(weight, kClearWeight);
    return EachChannelPair(old, color, [w](int o, int c) { return c + (o - c) * w / kClearWeight; });
}

double GlowReach() { return std::sqrt(800.0); }

uint32_t GlowColor(uint32_t old, uint32_t color, double distance) {
    const double reach = GlowReach();
    return EachChannelPair(old, color, [&](int o, int c) {
        return static_cast<int>(std::trunc(double(o - c) * distance / reach + c));
    });
}
