#include "graphics/SkinEffects.h"

#include <cstring>

#include "graphics/AlphaBlend.h"
#include "graphics/ImageHelpers.h"
#include "graphics/ScaledDC.h"
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
    // Tinted at the DC's scale, so that the picture drawn for it is what gets tinted.
    const Scale scale = DcScale(dc);
    const int width = scale.Px(strip.GetFrameWidth());
    const int height = scale.Px(strip.GetHeight());
    void* bits = nullptr;
    Bitmap canvas(CreateDib(dc, width, height, 32, DibOrder::TopDown, &bits));
    if (!canvas || !bits) return;
    auto* pixels = static_cast<uint32_t*>(bits);
    std::memset(pixels, 0, size_t(width) * height * 4);
    MemoryDC scratch(canvas.Get());
    ApplyScale(scratch.GetDC(), scale);
    strip.DrawFrame(frame, scratch.GetDC(), 0, 0);
    // GDI may still be writing into the section; the pixels are read directly next.
    GdiFlush();
    TintPixels(pixels, width, height, width, variant);
    scratch.Restore();
    BlendImagePart(dc, canvas.Get(), x, y, strip.GetFrameWidth(), strip.GetHeight());
}

void DrawTintedIcon(HDC dc, int icon, int variant, int x, int y) {
    DrawTintedFrame(dc, DeviceIconStrip(), icon + 1, variant, x, y);
}
