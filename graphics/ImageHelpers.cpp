#include "graphics/ImageHelpers.h"

#include <optional>

#include "graphics/AlphaBlend.h"
#include "graphics/Dib.h"
#include "graphics/MemoryDC.h"
#include "graphics/ScaledArt.h"
#include "graphics/ScaledDC.h"
#include "graphics/Tiling.h"

namespace {

// The source rect sx, sy, sw x sh of the picture (96-DPI units) onto the rect x, y, w x h,
// stretched only where the sizes differ. On a scaled DC the picture drawn for the scale
// lands pixel for pixel where GDI puts the rect.
void PutPart(HDC dc, HBITMAP bitmap, const Rect& to, const Rect& from, bool blend) {
    if (!bitmap || to.width <= 0 || to.height <= 0) return;
    const Scale scale = DcScale(dc);
    Rect d = to, s = from;
    std::optional<DevicePixels> device;
    if (!scale.IsIdentity()) {
        device.emplace(dc);
        const POINT a = device->ToDevice(to.x, to.y), b = device->ToDevice(to.x + to.width, to.y + to.height);
        d = {a.x, a.y, b.x - a.x, b.y - a.y};
        s = {scale.Px(from.x), scale.Px(from.y), scale.Px(from.x + from.width) - scale.Px(from.x),
             scale.Px(from.y + from.height) - scale.Px(from.y)};
    }
    MemoryDC source(ArtFor(bitmap, scale));
    if (blend) {
        BlendPremultiplied(dc, d.x, d.y, d.width, d.height, source.GetDC(), s.x, s.y, s.width, s.height);
    } else if (d.width == s.width && d.height == s.height) {
        BitBlt(dc, d.x, d.y, d.width, d.height, source.GetDC(), s.x, s.y, SRCCOPY);
    } else {
        StretchBlt(dc, d.x, d.y, d.width, d.height, source.GetDC(), s.x, s.y, s.width, s.height, SRCCOPY);
    }
}

}  // namespace

void BlitImage(HDC dc, HBITMAP bitmap, int x, int y) {
    const SIZE size = GetBitmapSize(bitmap);
    PutPart(dc, bitmap, {x, y, size.cx, size.cy}, {0, 0, size.cx, size.cy}, false);
}

void BlendImage(HDC dc, HBITMAP bitmap, int x, int y) {
    const SIZE size = GetBitmapSize(bitmap);
    BlendImagePart(dc, bitmap, x, y, size.cx, size.cy);
}

void BlendImagePart(HDC dc, HBITMAP bitmap, int x, int y, int width, int height) {
    PutPart(dc, bitmap, {x, y, width, height}, {0, 0, width, height}, true);
}

void BlitImagePart(HDC dc, HBITMAP bitmap, int x, int y, int width, int height, int sourceX, int sourceY) {
    PutPart(dc, bitmap, {x, y, width, height}, {sourceX, sourceY, width, height}, false);
}

void StretchImagePart(HDC dc, HBITMAP bitmap, const Rect& to, const Rect& from) { PutPart(dc, bitmap, to, from, false); }

void TileHorizontal(HDC dc, HBITMAP bitmap, int x1, int y, int x2) {
    const SIZE size = GetBitmapSize(bitmap);
    ForEachTile(x1, x2, size.cx, [&](int x, int width) {
        BlendImagePart(dc, bitmap, x, y, width, size.cy);
    });
}

void TileVertical(HDC dc, HBITMAP bitmap, int x, int y1, int y2) {
    const SIZE size = GetBitmapSize(bitmap);
    ForEachTile(y1, y2, size.cy, [&](int y, int height) {
        BlendImagePart(dc, bitmap, x, y, size.cx, height);
    });
}

void TileBackground(HDC dc, HBITMAP background, const Rect& rect) {
    const SIZE size = GetBitmapSize(background);
    if (size.cx <= 0 || size.cy <= 0) return;
    for (int y = rect.y; y < rect.y + rect.height; y += size.cy) {
        for (int x = rect.x; x < rect.x + rect.width; x += size.cx) PutPart(dc, background, {x, y, size.cx, size.cy}, {0, 0, size.cx, size.cy}, false);
    }
}
