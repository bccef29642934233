#include "graphics/PixelEffects.h"

#include <climits>

#include "graphics/PixelEffectsDraw.h"
#include "graphics/PixelEffectsTarget.h"

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

template <typename Draw>
void OnPixels(HDC dc, PixelPath path, Draw draw) {
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
    OnPixels(dc, path, [&](auto& c) { pixel_effects::WuLine(c, x0, y0, x1, y1, color); });
}

void DrawGlow(HDC dc, int cx, int cy, COLORREF color, COLORREF key, PixelPath path) {
    OnPixels(dc, path, [&](auto& c) { pixel_effects::Glow(c, cx, cy, color, key); });
}
