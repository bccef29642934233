// Colour formulas and the effects' stepping on a grid of pixels against worked values; then the bits
// path and the GetPixel/SetPixel path on real DIBs, which must leave exactly the same bytes.
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>
#include <vector>
#include "base/HandleOwners.h"
#include "graphics/Dib.h"
#include "graphics/MemoryDC.h"
#include "graphics/PixelEffects.h"
#include "graphics/PixelEffectsBits.h"
#include "graphics/PixelEffectsDraw.h"

namespace pe = pixel_effects;

namespace {

constexpr uint32_t kWhite = 0xFFFFFF, kBlack = 0x000000;
constexpr uint32_t Grey(int v) { return uint32_t(v) * 0x010101u; }

// w x h pixels with logical (0, 0) at (ox, oy); reads and writes outside are counted, not made.
struct Grid {
    Grid(int w, int h, uint32_t c, int ox = 0, int oy = 0) : w(w), h(h), ox(ox), oy(oy), pixels(size_t(w) * h, c) {}
    PixelBounds Bounds() const { return {-ox, -oy, w - ox, h - oy}; }
    uint32_t& At(int x, int y) { return pixels[size_t(y + oy) * w + x + ox]; }
    uint32_t Get(int x, int y) { return Bounds().Contains(x, y) ? At(x, y) : (++strays, kInvalidColor); }
    void Set(int x, int y, uint32_t c) { Bounds().Contains(x, y) ? void(At(x, y) = c) : void(++strays); }
    int Changed(uint32_t fill) const { return int(pixels.size() - std::count(pixels.begin(), pixels.end(), fill)); }
    int w, h, ox, oy, strays = 0;
    std::vector<uint32_t> pixels;
};

TEST(ColorMath, WorkedValues) {
    const std::tuple<const char*, uint32_t, uint32_t> cases[] = {
        {"lighten channels apart", LightenTable(50).Apply(0x102030), 0x878F97},
        {"darken channels apart", DarkenTable(50).Apply(0x102030), 0x081018},
        {"high byte ignored", LightenTable(0).Apply(0x02FFFFFF), 0xFFFFFF},
        {"percent above 100 is 100", LightenTable(250).Apply(Grey(10)), 0xFFFFFF},
        {"negative percent is 0", DarkenTable(-5).Apply(Grey(10)), 0x000000},
        // Weight 0 is the line's colour, 15 the old pixel's; the step truncates toward zero.
        {"blend up truncates", BlendColor(0x000000, Grey(16), 1), Grey(15)},
        {"blend channels apart", BlendColor(0xFF0000, 0x0000FF, 5), 0x5500AA},
        {"weight below 0 is the colour", BlendColor(0x123456, 0x02ABCDEF, -3), 0xABCDEF},
        {"weight above 15 is the old pixel", BlendColor(0x123456, 0xABCDEF, 40), 0x123456},
    };
    for (const auto& [name, result, expected] : cases) EXPECT_EQ(result, expected) << name;
}

TEST(Bevel, RingsLightenTopLeftAndDarkenBottomRightFadingInwards) {
    Grid g(20, 16, Grey(128)), deep(10, 10, Grey(128));
    pe::Bevel(g, 2, 1, 17, 14, 5);
    // Ring i changes by w = 20 (i + 1) per cent: lightened by 100 - w, darkened to w.
    const int cases[][3] = {
        {8, 1, 229}, {2, 7, 229}, {8, 14, 25},  {17, 7, 25},  {8, 2, 204}, {16, 7, 51}, {8, 4, 153},  // rings 0, 1, 3
        {8, 5, 128}, {8, 8, 128}, {1, 7, 128},  {18, 7, 128}, {8, 0, 128}, {8, 15, 128},  // ring 4, inside, outside
        {2, 1, 249}, {17, 1, 45}, {2, 14, 209}, {17, 14, 5},  // corners: top or bottom edge first
    };
    for (const auto& c : cases) EXPECT_EQ(g.At(c[0], c[1]), Grey(c[2])) << c[0] << "," << c[1];
    pe::Bevel(deep, 3, 3, 6, 6, 1000000000);  // stops at the centre rather than looping on
    EXPECT_EQ(deep.Changed(Grey(128)), 16);
}

// Black on white, so each channel is 17 times the weight the pixel was drawn with. For a line
// 10 along and 3 across the accumulator gathers 19660 a step; its top 4 bits are the weight of
// the nearer pixel of the pair, and the minor axis steps each time it wraps.
TEST(WuLine, PairsShareTheAccumulatorsWeightsAlongEitherAxisInEitherDirection) {
    const int pairs[][3] = {{1, 0, 4}, {2, 0, 9},  {3, 0, 14}, {4, 1, 3}, {5, 1, 7},
                            {6, 1, 12}, {7, 2, 1}, {8, 2, 6},  {9, 2, 11}};
    for (int octant = 0; octant < 4; ++octant) {
        const bool yMajor = octant & 1;
        const int direction = octant & 2 ? -1 : 1, x0 = direction > 0 ? 0 : 11;
        Grid g(12, 12, kWhite);
        auto at = [&](int major, int minor) -> uint32_t& {  // `major` steps along, `minor` across
            return yMajor ? g.At(x0 + direction * minor, major) : g.At(x0 + direction * major, minor);
        };
        pe::WuLine(g, yMajor ? x0 + 3 * direction : x0 + 10 * direction, yMajor ? 10 : 3, x0, 0, kBlack);  // upwards
        for (const auto& p : pairs) {
            EXPECT_EQ(at(p[0], p[1]), Grey(17 * p[2])) << octant << " " << p[0];
            EXPECT_EQ(at(p[0], p[1] + 1), Grey(17 * (15 - p[2]))) << octant << " " << p[0];
        }
        EXPECT_EQ(g.Changed(kWhite), 2 + 2 * 9) << octant;
    }
}

// A line far longer than the grid starts stepping where it comes into view; what shows must be
// what the whole line, drawn on a grid big enough to hold it, has there.
TEST(WuLine, LongLinesJumpToTheirVisiblePartExactly) {
    const int lines[][4] = {{3, -30000, 5, 30000}, {5, -30000, 2, 30000}, {-30000, 3, 30000, 6},
                            {30000, 2, -30000, 5}, {6, 30000, 6, -30000},  {30000, 4, -30000, 4}};
    for (const auto& l : lines) {
        const bool yMajor = std::abs(l[1]) > 8;
        Grid small(8, 8, kWhite);
        Grid whole(yMajor ? 8 : 60001, yMajor ? 60001 : 8, kWhite, 30000 * !yMajor, 30000 * yMajor);
        pe::WuLine(small, l[0], l[1], l[2], l[3], kBlack);
        pe::WuLine(whole, l[0], l[1], l[2], l[3], kBlack);
        EXPECT_GT(small.Changed(kWhite), 0);
        EXPECT_EQ(small.strays + whole.strays, 0);
        for (int i = 0; i < 64; ++i) ASSERT_EQ(small.At(i % 8, i / 8), whole.At(i % 8, i / 8)) << l[0] << " " << i;
    }
}

TEST(Glow, ShadesOnlyKeyPixelsWithinReachAndTheSquare) {
    const int c = 35;
    Grid g(71, 71, Grey(254));
    for (int x = 0; x < 71; ++x) g.At(x, c + 3) = 0x00FF00;  // not the key: left as it is
    pe::Glow(g, c, c, kBlack, Grey(254));
    // Black at the centre to the key at the reach, sqrt(800): 254 d / 28.28 truncated as doubles give it.
    const int cases[][3] = {{0, 0, 0},    {1, 0, 8},    {0, -10, 89},  {-25, 0, 224},  {0, 25, 224},
                            {26, 0, 254}, {20, 19, 247}, {21, 21, 254}, {10, 10, 126}};  // 127 less an ulp
    for (const auto& k : cases) EXPECT_EQ(g.At(c + k[0], c + k[1]), Grey(k[2])) << k[0] << "," << k[1];
    EXPECT_EQ(g.At(c + 5, c + 3), 0x00FF00u);
    EXPECT_EQ(g.strays, 0);
}

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
    const int ends[][2] = {{30, 2}, {30, 12}, {25, 27}, {38, 40}, {1, 27}, {-8, 12}, {5, -9}, {33, -4}, {45, 14}};
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
        for (HDC dc : {fast.dc.GetDC(), slow.dc.GetDC()}) kDcSetups[setup](dc);
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
