#include "graphics/IconTint.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kTintSaturation = 0.3;

struct Hsv {
    double h, s, v;
};

// Hexcone model, hue in degrees [0, 360).
Hsv ToHsv(double r, double g, double b) {
    const double max = std::max({r, g, b});
    const double min = std::min({r, g, b});
    Hsv hsv{0.0, max > 0.0 ? (max - min) / max : 0.0, max};
    if (hsv.s == 0.0) return hsv;
    const double delta = max - min;
    double h;
    if (r == max) h = (g - b) / delta;
    else if (g == max) h = 2.0 + (b - r) / delta;
    else h = 4.0 + (r - g) / delta;
    h *= 60.0;
    while (h < 0.0) h += 360.0;
    hsv.h = h;
    return hsv;
}

void FromHsv(Hsv hsv, double* r, double* g, double* b) {
    // A turned hue may pass 360; it wraps, so that every hue lands in one of six sectors.
    double h = hsv.h;
    while (h >= 360.0) h -= 360.0;
    const int i = static_cast<int>(std::floor(h / 60.0));
    const double f = h / 60.0 - i;
    const double v = hsv.v, s = hsv.s;
    const double p = v * (1.0 - s);
    const double q = v * (1.0 - s * f);
    const double t = v * (1.0 - s * (1.0 - f));
    switch (i) {
        case 0: *r = v; *g = t; *b = p; break;
        case 1: *r = q; *g = v; *b = p; break;
        case 2: *r = p; *g = v; *b = t; break;
        case 3: *r = p; *g = q; *b = v; break;
        case 4: *r = t; *g = p; *b = v; break;
        default: *r = v; *g = p; *b = q; break;
    }
}

uint32_t ToByte(double value) { return static_cast<uint32_t>(value * 255.0); }

}  // namespace

uint32_t TintPixel(uint32_t pixel, int variant) {
    if (variant == 0) return pixel;
    const double r = (pixel & 0xFF) / 255.0;
    const double g = ((pixel >> 8) & 0xFF) / 255.0;
    const double b = ((pixel >> 16) & 0xFF) / 255.0;
    Hsv hsv = ToHsv(r, g, b);
    if (variant >= 1 && variant <= 5) hsv.h += 60.0 * variant;
    hsv.s = kTintSaturation;
    double nr, ng, nb;
    FromHsv(hsv, &nr, &ng, &nb);
    return (pixel & 0xFF000000u) | ToByte(nr) | (ToByte(ng) << 8) | (ToByte(nb) << 16);
}

void TintPixels(uint32_t* pixels, int width, int height, ptrdiff_t stride, int variant) {
    if (variant == 0) return;
    for (int row = 0; row < height; ++row) {
        uint32_t* line = pixels + row * stride;
        for (int col = 0; col < width; ++col) line[col] = TintPixel(line[col], variant);
    }
}
