#pragma once
#include <windows.h>

#include <cstdint>

enum class DibOrder { TopDown, BottomUp };

// A DIB section (BI_RGB, one plane) made on dc; bits, if given, receives its pixels.
// Null when it cannot be made.
HBITMAP CreateDib(HDC dc, int width, int height, WORD bitCount, DibOrder order, void** bits);

// The pixels of a 32-bit DIB section and its size; null pixels for anything else.
struct DibPixels {
    uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
};
DibPixels GetDibPixels(HBITMAP bitmap);

// Width and height of any bitmap (0 x 0 for null).
SIZE GetBitmapSize(HBITMAP bitmap);
