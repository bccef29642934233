#pragma once
// The resources that make_test_art.py draws, and a DIB canvas to draw into and read back.
#include <windows.h>
#include <algorithm>
#include <cstdint>
#include <vector>
#include "base/HandleOwners.h"
#include "graphics/Dib.h"
#include "graphics/MemoryDC.h"

inline constexpr UINT kStripTga = 201;   // 72 x 3 after an image id of 42 bytes, then a footer
inline constexpr size_t kStripEnd = 18 + 42 + 72 * 3 * 4;  // where the footer starts
inline constexpr UINT kCornerRgn = 202;  // an L: (0,0)-(10,5) over (0,5)-(4,10)

// 0xAARRGGBB of the strip at (col, row); the alpha runs 255, 0, 128, 64 over the columns.
inline uint32_t StripPixel(int col, int row) {
    static const uint32_t kAlphas[4] = {255, 0, 128, 64};
    return kAlphas[col % 4] << 24 | 200u << 16 | uint32_t(row * 50) << 8 | uint32_t(col);
}

// A 32-bit top-down DIB in a memory DC, filled with one colour; Pixel gives 0x00RRGGBB.
struct TestCanvas {
    TestCanvas(int width, int height, uint32_t fill)
        : bitmap(CreateDib(nullptr, width, height, 32, DibOrder::TopDown, nullptr)), memory(bitmap.Get()) {
        Fill(fill);
    }
    HDC Dc() const { return memory.GetDC(); }
    DibPixels Pixels() const { return GdiFlush(), GetDibPixels(bitmap.Get()); }
    uint32_t Pixel(int x, int y) const { return Pixels().pixels[y * Pixels().width + x] & 0x00FFFFFF; }
    void Fill(uint32_t colour) { std::fill_n(Pixels().pixels, Pixels().width * Pixels().height, colour); }
    std::vector<uint32_t> Colours() const {  // every pixel as Pixel gives it, top row first
        const DibPixels p = Pixels();
        std::vector<uint32_t> colours(p.pixels, p.pixels + p.width * p.height);
        for (uint32_t& c : colours) c &= 0x00FFFFFF;
        return colours;
    }

    Bitmap bitmap;  // outlives the DC it is selected into
    MemoryDC memory;
};
