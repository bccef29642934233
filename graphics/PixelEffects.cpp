#include "graphics/PixelEffects.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <type_traits>

#include "graphics/PixelEffectsDraw.h"
#include "graphics/PixelEffectsTarget.h"
#include "graphics/ScaledDC.h"

namespace {

// The per-pixel path: any DC, one GetPixel/SetPixel pair per pixel, bounded by the clip
// box so that nothing is asked of GDI that it would refuse anyway.
class DcCanvas {
public:
    explicit DcCanvas(HDC dc) : dc_(dc) {
        RECT box{};
        const int kind = GetClipBox(dc, &box);
        if (kind == ERROR) {
            bounds_ = {INT_MIN, INT_MIN, int64_t(INT_MAX) + 1, int64_t(INT_MAX) + 1};
        } else if (kind != NULLREGION) {
            bounds_ = {box.left, box.top, box.right, box.bottom};
        }
    }
    PixelBounds Bounds() const { return bounds_; }
    uint32_t Get(int x, int y) const { return GetPixel(dc_, x, y); }
    void Set(int x, int y, uint32_t color) { SetPixel(dc_, x, y, color); }

private:
    HDC dc_;
    PixelBounds bounds_;
};

// On a scaled DC each pixel of an effect is the block of device pixels that the pixel's
// 96-DPI square covers: rims, glows and lines keep their look at the larger size.
template <typename Inner>
class ScaledCanvas {
public:
    ScaledCanvas(Inner& inner, const Scale& scale, POINT origin) : inner_(inner), scale_(scale), origin_(origin) {
        const PixelBounds device = inner_.Bounds();
        bounds_ = {Clamp(scale_.Logical(Clamp(device.left)) + origin_.x), Clamp(scale_.Logical(Clamp(device.top)) + origin_.y),
                   Clamp(scale_.Logical(Clamp(device.right) - 1) + 1 + origin_.x),
                   Clamp(scale_.Logical(Clamp(device.bottom) - 1) + 1 + origin_.y)};
    }
    PixelBounds Bounds() const { return bounds_; }
    uint32_t Get(int x, int y) const {
        const PixelBounds device = inner_.Bounds();
        const int64_t dx = std::clamp<int64_t>(X(x), device.left, device.right - 1);
        const int64_t dy = std::clamp<int64_t>(Y(y), device.top, device.bottom - 1);
        return inner_.Get(int(dx), int(dy));
    }
    void Set(int x, int y, uint32_t color) {
        const PixelBounds device = inner_.Bounds();
        for (int dy = Y(y); dy < Y(y + 1); ++dy)
            for (int dx = X(x); dx < X(x + 1); ++dx)
                if (device.Contains(dx, dy)) inner_.Set(dx, dy, color);
    }

private:
    // Far outside any bitmap, yet safe from overflow when scaled.
    static int Clamp(int64_t v) { return int(std::clamp<int64_t>(v, -(1 << 20), 1 << 20)); }
    int X(int x) const { return scale_.Px(x - origin_.x); }
    int Y(int y) const { return scale_.Px(y - origin_.y); }
    Inner& inner_;
    Scale scale_;
    POINT origin_;
    PixelBounds bounds_;
};

template <typename Draw>
void OnDevicePixels(HDC dc, PixelPath path, Draw draw);

template <typename Draw>
void OnPixels(HDC dc, PixelPath path, Draw draw) {
    const Scale scale = DcScale(dc);
    if (scale.IsIdentity()) {
        OnDevicePixels(dc, path, draw);
        return;
    }
    const POINT origin = GetPaintOrigin(dc);
    const DevicePixels device(dc);
    OnDevicePixels(dc, path, [&](auto& inner) {
        ScaledCanvas<std::remove_reference_t<decltype(inner)>> canvas(inner, scale, origin);
        draw(canvas);
    });
}

template <typename Draw>
void OnDevicePixels(HDC dc, PixelPath path, Draw draw) {
    if (path != PixelPath::PerPixel) {
        if (std::optional<DirectPixels> direct = FindDirectPixels(dc)) {
            // One rectangle of the clip at a time: each pixel's change depends on that pixel
            // alone, so this leaves what one pass over all of them would.
            for (const PixelBounds& shown : direct->Shown()) {
                if (direct->dib.bitsPerPixel == 32) {
                    DibBitsCanvas<4> canvas(direct->dib, direct->originX, direct->originY, shown);
                    draw(canvas);
                } else {
                    DibBitsCanvas<3> canvas(direct->dib, direct->originX, direct->originY, shown);
                    draw(canvas);
                }
            }
            return;
        }
    }
    DcCanvas canvas(dc);
    draw(canvas);
}

}  // namespace

bool HasDirectPixels(HDC dc) { return FindDirectPixels(dc).has_value(); }

void DrawBevel(HDC dc, int left, int top, int right, int bottom, int depth, PixelPath path) {
    if (depth <= 0) return;
    OnPixels(dc, path, [&](auto& c) { pixel_effects::Bevel(c, left, top, right, bottom, depth); });
}

void BlendPixel(HDC dc, int x, int y, COLORREF color, int weight, PixelPath path) {
    if (path == PixelPath::Fastest) path = PixelPath::PerPixel;
    OnPixels(dc, path, [&](auto& c) { pixel_effects::Blend(c, x, y, color, weight); });
}

void DrawAntialiasedLine(HDC dc, int x0, int y0, int x1, int y1, COLORREF color, PixelPath path) {
    const Scale scale = DcScale(dc);
    if (scale.IsIdentity()) {
        OnPixels(dc, path, [&](auto& c) { pixel_effects::WuLine(c, x0, y0, x1, y1, color); });
        return;
    }
    // Scaled, the line is drawn anew between the pixel blocks of its ends, as thick as one
    // pixel's block, so that a slope stays smooth rather than stepping by whole blocks.
    const DevicePixels device(dc);
    const auto middle = [&](int x, int y) {
        const POINT a = device.ToDevice(x, y), b = device.ToDevice(x + 1, y + 1);
        return POINT{(a.x + b.x - 1) / 2, (a.y + b.y - 1) / 2};
    };
    const POINT from = middle(x0, y0), to = middle(x1, y1);
    const bool steep = std::abs(y1 - y0) > std::abs(x1 - x0);
    const int width = scale.Px(1);
    OnDevicePixels(dc, path, [&](auto& c) {
        for (int k = -(width - 1) / 2; k <= width / 2; ++k) {
            const int dx = steep ? k : 0, dy = steep ? 0 : k;
            pixel_effects::WuLine(c, from.x + dx, from.y + dy, to.x + dx, to.y + dy, color);
        }
    });
}

void DrawGlow(HDC dc, int cx, int cy, COLORREF color, COLORREF key, PixelPath path) {
    OnPixels(dc, path, [&](auto& c) { pixel_effects::Glow(c, cx, cy, color, key); });
}
