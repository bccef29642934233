#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "base/HandleOwners.h"
#include "graphics/MemoryDC.h"

// Resource ids of TestResources.rc.
inline constexpr UINT kStripTga = 201;     // 72 x 3, image id of 42 bytes, StripPixel
inline constexpr UINT kCornerRgn = 202;    // an L: (0,0)-(10,5) over (0,5)-(4,10)
inline constexpr UINT kShortRgn = 203;     // counts 5 rectangles, carries 2
inline constexpr UINT kBadgeBitmap = 204;  // 78 x 15: a red 39-pixel frame, then a blue one
inline constexpr UINT kCornerRcData = 205; // the L's bytes under another type

// 0xAARRGGBB of the test strip at (col, row); make_test_art.py draws the same.
uint32_t StripPixel(int col, int row);

// An uncompressed 32-bit Targa block, pixels from rule(col, row).
std::vector<uint8_t> MakeTga(int width, int height, int idLength,
                             const std::function<uint32_t(int, int)>& rule);

// An RGNDATA block of the rectangles (left, top, right, bottom) that claims `count` of them.
std::vector<uint8_t> MakeRegionData(const std::vector<RECT>& rects, uint32_t count);

// A 32-bit top-down DIB in a memory DC, filled with one colour, to draw into and read back.
class TestCanvas {
public:
    TestCanvas(int width, int height, uint32_t fill);
    HDC Dc() const { return memory_.GetDC(); }
    uint32_t Pixel(int x, int y) const;  // 0x00RRGGBB; alpha is masked off
    void Fill(uint32_t colour);

private:
    int width_, height_;
    uint32_t* pixels_ = nullptr;
    Bitmap bitmap_;   // destroyed after the DC has let go of it
    MemoryDC memory_;
};

// A hidden, borderless popup window of the given size, destroyed with the object.
class TestWindow {
public:
    TestWindow(int width, int height);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    HWND Handle() const { return window_; }
    void Resize(int width, int height);

private:
    HWND window_;
};
