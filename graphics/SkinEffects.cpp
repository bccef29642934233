#include "graphics/SkinEffects.h"

#include <cstring>

#include "graphics/AlphaBlend.h"
#include "graphics/CornerMask.h"
#include "graphics/Dib.h"
#include "graphics/IconTint.h"
#include "graphics/MemoryDC.h"
#include "graphics/StartupStrips.h"

namespace {

// Made with the DC of the first shade drawn, kept until the process ends.
struct CornerMasks {
    explicit CornerMasks(HDC dc) {
        Make(dc, CornerMask::First, &first);
        Make(dc, CornerMask::Second, &second);
    }
    static void Make(HDC dc, CornerMask mask, Bitmap* bitmap) {
        void* bits = nullptr;
        bitmap->Reset(CreateDib(dc, kCornerMaskSize, kCornerMaskSize, 32, DibOrder::BottomUp, &bits));
        if (bits) FillCornerMask(mask, static_cast<uint32_t*>(bits), kCornerMaskSize);
    }
    Bitmap first;
    Bitmap second;
};

}  // namespace

void DrawCornerShade(HDC dc, const Rect& rect) {
    static const CornerMasks masks(dc);
    const CornerShadePlacement place = PlaceCornerShade(rect);
    const Bitmap& mask = place.mask == CornerMask::First ? masks.first : masks.second;
    if (!mask) return;
    MemoryDC source(mask.Get());
    const Rect& r = place.rect;
    BlendPremultiplied(dc, r.x, r.y, r.width, r.height, source.GetDC(), 0, 0, kCornerMaskSize,
                       kCornerMaskSize);
}

void DrawTintedFrame(HDC dc, const SkinStrip& strip, int frame, int variant, int x, int y) {
    if (variant == 0) {
        strip.DrawFrame(frame, dc, x, y);
        return;
    }
    const int width = strip.GetFrameWidth();
    const int height = strip.GetHeight();
    void* bits = nullptr;
    Bitmap canvas(CreateDib(dc, width, height, 32, DibOrder::TopDown, &bits));
    if (!canvas || !bits) return;
    auto* pixels = static_cast<uint32_t*>(bits);
    std::memset(pixels, 0, size_t(width) * height * 4);
    MemoryDC scratch(canvas.Get());
    strip.DrawFrame(frame, scratch.GetDC(), 0, 0);
    // GDI may still be writing into the section; the pixels are read directly next.
    GdiFlush();
    TintPixels(pixels, width, height, width, variant);
    BlendPremultiplied(dc, x, y, width, height, scratch.GetDC(), 0, 0, width, height);
}

void DrawTintedIcon(HDC dc, int icon, int variant, int x, int y) {
    DrawTintedFrame(dc, DeviceIconStrip(), icon + 1, variant, x, y);
}
