#pragma once
// What the graphics tests share: Targa blocks built in memory, the resources that
// make_test_art.py draws by the same rule, and a DIB canvas to draw into and read back.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "graphics/Dib.h"
#include "base/HandleOwners.h"
#include "graphics/MemoryDC.h"

inline constexpr UINT kStripTga = 201;   // 72 x 3, image id of 42 bytes, StripPixel
inline constexpr UINT kCornerRgn = 202;  // an L: (0,0)-(10,5) over (0,5)-(4,10)

// 0xAARRGGBB of the strip at (col, row); the alpha runs 255, 0, 128, 64 over the columns.
inline uint32_t StripPixel(int col, int row) {
    static const uint32_t kAlphas[4] = {255, 0, 128, 64};
    return kAlphas[col % 4] << 24 | 200u << 16 | uint32_t(row * 50) << 8 | uint32_t(col);
}

// An uncompressed 32-bit top-down Targa block, pixels from rule(col, row).
inline std::vector<uint8_t> MakeTga(int width, int height, int idLength, uint32_t (*rule)(int, int)) {
    std::vector<uint8_t> bytes(18 + idLength, 0);
    bytes[0] = uint8_t(idLength), bytes[2] = 2, bytes[16] = 32, bytes[17] = 0x28;
    bytes[12] = uint8_t(width), bytes[13] = uint8_t(width >> 8);
    bytes[14] = uint8_t(height), bytes[15] = uint8_t(height >> 8);
    for (int i = 0; i < width * height; ++i)
        for (int shift = 0; shift < 32; shift += 8) bytes.push_back(uint8_t(rule(i % width, i / width) >> shift));
    return bytes;
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

    Bitmap bitmap;  // outlives the DC it is selected into
    MemoryDC memory;
};
