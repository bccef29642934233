#pragma once
// A canvas for the pixel effects straight on the bits of a 24- or 32-bit DIB, top-down or
// bottom-up, so an off-screen surface needs no GetPixel/SetPixel pair per pixel. It reads
// and writes exactly what those calls would: 0x00BBGGRR colours, a zero fourth byte on
// 32-bit pixels, and nothing outside the bitmap or the clip.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "graphics/PixelEffectsDraw.h"

struct DibBits {
    uint8_t* bits = nullptr;  // the first row in memory
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;  // 24 or 32; anything else is not drawn on
    bool topDown = true;
};

// Bytes from one row of a DIB to the next (rows are padded to 4 bytes).
size_t DibRowBytes(int width, int bitsPerPixel);

class DibBitsCanvas {
public:
    // originX/Y: where logical (0, 0) lies in the bitmap. clip: the visible parts in bitmap
    // coordinates; none given means the whole bitmap.
    DibBitsCanvas(const DibBits& dib, int originX, int originY, const std::vector<PixelBounds>& clip);

    PixelBounds Bounds() const { return bounds_; }
    uint32_t Get(int x, int y) const;
    void Set(int x, int y, uint32_t color);

private:
    bool Visible(int64_t x, int64_t y) const;
    uint8_t* At(int x, int y) const;

    DibBits dib_;
    ptrdiff_t originOffset_ = 0;  // bytes from the first row in memory to logical (0, 0)
    ptrdiff_t rowStep_ = 0;       // bytes from one logical row to the next
    ptrdiff_t pixelBytes_ = 0;
    std::vector<PixelBounds> visible_;  // logical coordinates, each inside the bitmap
    PixelBounds bounds_;                // the box around them
};
