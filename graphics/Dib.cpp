#include "graphics/Dib.h"

HBITMAP CreateDib(HDC dc, int width, int height, WORD bitCount, DibOrder order, void** bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = order == DibOrder::TopDown ? -height : height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = bitCount;
    info.bmiHeader.biCompression = BI_RGB;
    void* ignored = nullptr;
    return CreateDIBSection(dc, &info, DIB_RGB_COLORS, bits ? bits : &ignored, nullptr, 0);
}

DibPixels GetDibPixels(HBITMAP bitmap) {
    DIBSECTION section{};
    if (!bitmap || GetObjectA(bitmap, sizeof section, &section) != sizeof section) return {};
    if (section.dsBm.bmBitsPixel != 32 || !section.dsBm.bmBits) return {};
    return {static_cast<uint32_t*>(section.dsBm.bmBits), section.dsBm.bmWidth,
            section.dsBm.bmHeight};
}

SIZE GetBitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return {0, 0};
    return {info.bmWidth, info.bmHeight};
}
