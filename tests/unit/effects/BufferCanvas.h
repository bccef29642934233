#pragma once
// A DIB held in a plain buffer, with guard bytes before and after it, so the effects can be
// drawn and checked without a window, and any write outside the bitmap shows.
#include <cstdint>
#include <vector>

#include "graphics/PixelEffectsBits.h"

class BufferCanvas {
public:
    static constexpr uint8_t kGuard = 0xA5;
    static constexpr size_t kGuardBytes = 64;

    BufferCanvas(int width, int height, uint32_t fill, int bitsPerPixel = 24, bool topDown = true,
                 const std::vector<PixelBounds>& clip = {}, int originX = 0, int originY = 0);

    DibBitsCanvas& Canvas() { return canvas_; }
    // Reads (x, y) of the bitmap itself (not through the canvas's origin or clip).
    uint32_t At(int x, int y) const;
    int Width() const { return dib_.width; }
    int Height() const { return dib_.height; }
    // Guards and row padding untouched.
    bool OnlyPixelsWritten() const;
    // Pixels that differ from the fill colour.
    int ChangedCount() const;

private:
    DibBits Describe(int width, int height, int bitsPerPixel, bool topDown);
    std::vector<uint8_t> bytes_;
    DibBits dib_;
    uint32_t fill_;
    DibBitsCanvas canvas_;
};
