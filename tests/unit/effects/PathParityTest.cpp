// The bits path and the GetPixel/SetPixel path leave exactly the same bytes behind, on
// every DIB layout the fast path takes, with and without a moved origin and a clip.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "graphics/Dib.h"
#include "base/HandleOwners.h"
#include "graphics/MemoryDC.h"
#include "graphics/PixelEffects.h"
#include "graphics/PixelEffectsBits.h"

namespace {

constexpr int kWidth = 37, kHeight = 29;  // odd, so 24-bit rows carry padding

// A DIB in a memory DC, white broken by other colours (and on 32-bit pixels a fourth byte,
// which a write must clear as SetPixel does).
struct TestDib {
    TestDib(int bits, DibOrder order) : size(DibRowBytes(kWidth, bits) * kHeight) {
        bitmap.Reset(CreateDib(dc.GetDC(), kWidth, kHeight, WORD(bits), order, reinterpret_cast<void**>(&bytes)));
        dc.Select(bitmap.Get());
        for (size_t i = 0; i < size; ++i) bytes[i] = bits == 32 && i % 4 == 3 ? 0x80 : i % 11 ? 255 : uint8_t(i * 5);
    }
    std::vector<uint8_t> Bytes() const { return GdiFlush(), std::vector<uint8_t>(bytes, bytes + size); }
    size_t size;
    uint8_t* bytes = nullptr;
    Bitmap bitmap;  // outlives the DC it is selected into
    MemoryDC dc;
};

// Effects through and past the edges, lines to every octant, blends at every weight.
void DrawAll(HDC dc, PixelPath p) {
    DrawBevel(dc, -2, -3, kWidth + 1, kHeight, 7, p);
    DrawBevel(dc, 10, 4, 20, 9, 40, p);
    const int ends[][2] = {{30, 2}, {30, 12}, {25, 27}, {19, 40}, {1, 27}, {-8, 12}, {5, -9}, {33, -4}, {45, 14}};
    for (const auto& end : ends) DrawAntialiasedLine(dc, 18, 14, end[0], end[1], RGB(20, 60, 200), p);
    for (POINT c : {POINT{0, 0}, POINT{kWidth - 1, kHeight - 1}, POINT{-10, 14}, POINT{18, 14}})
        DrawGlow(dc, c.x, c.y, RGB(90, 140, 230), RGB(255, 255, 255), p);
    for (int w = -1; w <= 16; ++w) BlendPixel(dc, w + 2, 5, RGB(200, 30, 90), w, p);
}

// The bits path must follow GDI's origin and clip: none, a moved origin, a clip of two
// parts, and a clip that shows nothing (the last: nothing may change).
const std::function<void(HDC)> kDcSetups[] = {
    [](HDC) {},
    [](HDC dc) { SetViewportOrgEx(dc, 5, -3, nullptr); },
    [](HDC dc) {
        SelectClipRgn(dc, GdiObject<HRGN>(CreateRectRgn(2, 2, 20, 15)).Get());
        ExtSelectClipRgn(dc, GdiObject<HRGN>(CreateRectRgn(15, 18, 36, 28)).Get(), RGN_OR);
    },
    [](HDC dc) { SetWindowOrgEx(dc, -4, 2, nullptr), IntersectClipRect(dc, 0, 0, 0, 0); },
};

TEST(PixelPaths, BitsAndPerPixelGiveIdenticalBytes) {
    for (int k = 0; k < 16; ++k) {  // 24 and 32 bits, top-down and bottom-up, each setup
        const int bits = k & 1 ? 32 : 24, setup = k / 4;
        const DibOrder order = k & 2 ? DibOrder::BottomUp : DibOrder::TopDown;
        TestDib fast(bits, order), slow(bits, order);
        kDcSetups[setup](fast.dc.GetDC());
        kDcSetups[setup](slow.dc.GetDC());
        ASSERT_TRUE(HasDirectPixels(fast.dc.GetDC())) << k;
        const std::vector<uint8_t> before = fast.Bytes();
        DrawAll(fast.dc.GetDC(), PixelPath::Bits);
        DrawAll(slow.dc.GetDC(), PixelPath::PerPixel);
        const auto a = fast.Bytes(), b = slow.Bytes();
        EXPECT_EQ(std::mismatch(a.begin(), a.end(), b.begin()).first - a.begin(), ptrdiff_t(a.size()))
            << "first differing byte, " << k;
        EXPECT_EQ(a != before, setup != 3) << k;
    }
}

}  // namespace
