#include "graphics/ImageHelpers.h"

#include "graphics/AlphaBlend.h"
#include "graphics/Dib.h"
#include "graphics/MemoryDC.h"
#include "graphics/ScaledArt.h"
#include "graphics/ScaledDC.h"
#include "graphics/Tiling.h"

namespace {

// Columns sx.. and rows sy.. of the picture, width x height at 96 DPI, at (x, y). On a scaled
// DC the picture drawn for the scale lands pixel for pixel where GDI puts the rect.
void PutPart(HDC dc, HBITMAP bitmap, int x, int y, int width, int height, int sx, int sy, bool blend) {
    if (!bitmap || width <= 0 || height <= 0) return;
    const Scale scale = DcScale(dc);
    if (scale.IsIdentity()) {
        MemoryDC source(bitmap);
        if (blend) BlendPremultiplied(dc, x, y, width, height, source.GetDC(), sx, sy, width, height);
        else BitBlt(dc, x, y, width, height, source.GetDC(), sx, sy, SRCCOPY);
        return;
    }
    MemoryDC source(ArtFor(bitmap, scale));
    const DevicePixels device(dc);
    const POINT from = device.ToDevice(x, y), to = device.ToDevice(x + width, y + height);
    const int left = scale.Px(sx), top = scale.Px(sy);
    const int sourceWidth = scale.Px(sx + width) - left, sourceHeight = scale.Px(sy + height) - top;
    if (blend) {
        BlendPremultiplied(dc, from.x, from.y, to.x - from.x, to.y - from.y, source.GetDC(), left, top, sourceWidth,
                           sourceHeight);
    } else {
        StretchBlt(dc, from.x, from.y, to.x - from.x, to.y - from.y, source.GetDC(), left, top, sourceWidth,
                   sourceHeight, SRCCOPY);
    }
}

}  // namespace

void BlitImage(HDC dc, HBITMAP bitmap, int x, int y) {
    const SIZE size = GetBitmapSize(bitmap);
    PutPart(dc, bitmap, x, y, size.cx, size.cy, 0, 0, false);
}

void BlendImage(HDC dc, HBITMAP bitmap, int x, int y) {
    const SIZE size = GetBitmapSize(bitmap);
    BlendImagePart(dc, bitmap, x, y, size.cx, size.cy);
}

void BlendImagePart(HDC dc, HBITMAP bitmap, int x, int y, int width, int height) {
    PutPart(dc, bitmap, x, y, width, height, 0, 0, true);
}

void BlitImagePart(HDC dc, HBITMAP bitmap, int x, int y, int width, int height, int sourceX, int sourceY) {
    PutPart(dc, bitmap, x, y, width, height, sourceX, sourceY, false);
}

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
        for (int x = rect.x; x < rect.x + rect.width; x += size.cx) PutPart(dc, background, x, y, size.cx, size.cy, 0, 0, false);
    }
}
