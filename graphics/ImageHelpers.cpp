#include "graphics/ImageHelpers.h"

#include "graphics/AlphaBlend.h"
#include "graphics/Dib.h"
#include "graphics/MemoryDC.h"
#include "graphics/Tiling.h"

void BlitImage(HDC dc, HBITMAP bitmap, int x, int y) {
    const SIZE size = GetBitmapSize(bitmap);
    if (size.cx <= 0 || size.cy <= 0) return;
    MemoryDC source(bitmap);
    BitBlt(dc, x, y, size.cx, size.cy, source.GetDC(), 0, 0, SRCCOPY);
}

void BlendImage(HDC dc, HBITMAP bitmap, int x, int y) {
    const SIZE size = GetBitmapSize(bitmap);
    BlendImagePart(dc, bitmap, x, y, size.cx, size.cy);
}

void BlendImagePart(HDC dc, HBITMAP bitmap, int x, int y, int width, int height) {
    if (!bitmap || width <= 0 || height <= 0) return;
    MemoryDC source(bitmap);
    BlendPremultiplied(dc, x, y, width, height, source.GetDC(), 0, 0, width, height);
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
    MemoryDC source(background);
    for (int y = rect.y; y < rect.y + rect.height; y += size.cy) {
        for (int x = rect.x; x < rect.x + rect.width; x += size.cx) {
            BitBlt(dc, x, y, size.cx, size.cy, source.GetDC(), 0, 0, SRCCOPY);
        }
    }
}
