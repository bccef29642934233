#pragma once
// A canvas for the pixel effects straight on the bits of a 24- or 32-bit DIB, top-down or
// bottom-up, so an off-screen surface needs no GetPixel/SetPixel pair per pixel. It reads
// and writes exactly what those calls would: 0x00BBGGRR colours and a zero fourth byte on
// 32-bit pixels. Its bounds are one rectangle of the bitmap (a clip of several is drawn
// one rectangle at a time), and since the effects never step outside the bounds, Get and
// Set check nothing: they are inline, with the pixel size fixed, as every pixel goes
// through them.
#include <cstddef>
#include <cstdint>

#include "graphics/PixelEffectsDraw.h"

struct DibBits {
    uint8_t* bits = nullptr;  // the first row in memory
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;  // 24 or 32
    bool topDown = true;
};

// Bytes from one row of a DIB to the next (rows are padded to 4 bytes).
size_t DibRowBytes(int width, int bitsPerPixel);

template <int kPixelBytes>  // 3 or 4, as dib.bitsPerPixel says
class DibBitsCanvas {
public:
    // originX/Y: where logical (0, 0) lies in the bitmap; shown: the pixels that may
    // change, in bitmap coordinates (cut to the bitmap here).
    DibBitsCanvas(const DibBits& dib, int originX, int originY, const PixelBounds& shown);

    PixelBounds Bounds() const { return bounds_; }
    uint32_t Get(int x, int y) const {
        const uint8_t* p = At(x, y);
        return uint32_t(p[2]) | uint32_t(p[1]) << 8 | uint32_t(p[0]) << 16;
    }
    void Set(int x, int y, uint32_t color) {
        uint8_t* p = At(x, y);
        p[0] = uint8_t(color >> 16);
        p[1] = uint8_t(color >> 8);
        p[2] = uint8_t(color);
        if constexpr (kPixelBytes == 4) p[3] = 0;
    }

private:
    uint8_t* At(int x, int y) const { return bits_ + (originOffset_ + rowStep_ * y + ptrdiff_t(kPixelBytes) * x); }

    uint8_t* bits_;
    ptrdiff_t originOffset_ = 0;  // bytes from the first row in memory to logical (0, 0)
    ptrdiff_t rowStep_ = 0;       // bytes from one logical row to the next
    PixelBounds bounds_;          // logical coordinates; empty if nothing shows
};
