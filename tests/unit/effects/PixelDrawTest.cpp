// The effects drawn on a plain buffer: which pixels each one changes and to what.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "graphics/PixelEffectsDraw.h"
#include "tests/unit/effects/BufferCanvas.h"

namespace pe = pixel_effects;

namespace {

constexpr uint32_t kWhite = 0xFFFFFF, kBlack = 0x000000, kGrey = 0x808080;

// A black line on white: each channel is 17 times the weight the pixel was drawn with.
int WeightAt(const BufferCanvas& b, int x, int y) { return int(b.At(x, y) & 0xFF) / 17; }

TEST(Bevel, RingsLightenTopLeftAndDarkenBottomRight) {
    BufferCanvas b(20, 16, kGrey);
    pe::Bevel(b.Canvas(), 2, 1, 17, 14, 5);
    const uint32_t g = kGrey;
    struct Case {
        int x, y;
        uint32_t expected;
    };
    const Case cases[] = {
        {8, 1, Lighten(g, 80)},                  // ring 0 top: w = 20
        {8, 14, Darken(g, 20)},                  // ring 0 bottom
        {2, 7, Lighten(g, 80)},                  // ring 0 left
        {17, 7, Darken(g, 20)},                  // ring 0 right
        {8, 2, Lighten(g, 60)},                  // ring 1 top: w = 40
        {16, 7, Darken(g, 40)},                  // ring 1 right
        {8, 4, Lighten(g, 20)},                  // ring 3: w = 80
        {8, 5, g},                               // ring 4: w = 100 changes nothing
        {8, 8, g},                               // inside
        {1, 7, g},                               // outside the rect
        {18, 7, g},
        {8, 0, g},
        {8, 15, g},
        {2, 1, Lighten(Lighten(g, 80), 80)},     // corners: top or bottom edge first, then the sides
        {17, 1, Darken(Lighten(g, 80), 20)},
        {2, 14, Lighten(Darken(g, 20), 80)},
        {17, 14, Darken(Darken(g, 20), 20)},
    };
    for (const Case& c : cases) EXPECT_EQ(b.At(c.x, c.y), c.expected) << c.x << "," << c.y;
}

TEST(Bevel, NoDepthOrNoRoomDrawsNothingOutsideTheRect) {
    for (int depth : {0, -3}) {
        BufferCanvas b(10, 10, kGrey);
        pe::Bevel(b.Canvas(), 0, 0, 9, 9, depth);
        EXPECT_EQ(b.ChangedCount(), 0) << depth;
    }
    // A depth far beyond half the rect stops at its centre instead of looping on.
    BufferCanvas b(10, 10, kGrey);
    pe::Bevel(b.Canvas(), 3, 3, 6, 6, 1000000000);
    EXPECT_EQ(b.At(2, 2), kGrey);
    EXPECT_NE(b.At(3, 3), kGrey);
    EXPECT_EQ(b.ChangedCount(), 16);
}

TEST(WuLine, HorizontalAndVerticalLinesAreSolid) {
    struct Case {
        int x0, y0, x1, y1;
    };
    for (const Case& c : {Case{0, 0, 10, 0}, Case{10, 0, 0, 0}, Case{3, 0, 3, 10}, Case{3, 10, 3, 0}}) {
        BufferCanvas b(16, 16, kWhite);
        pe::WuLine(b.Canvas(), c.x0, c.y0, c.x1, c.y1, kBlack);
        EXPECT_EQ(b.ChangedCount(), 11);
        for (int i = 0; i <= 10; ++i) {
            const int x = c.y0 == c.y1 ? i : c.x0, y = c.y0 == c.y1 ? c.y0 : i;
            EXPECT_EQ(b.At(x, y), kBlack) << x << "," << y;
        }
    }
    BufferCanvas dot(4, 4, kWhite);
    pe::WuLine(dot.Canvas(), 1, 2, 1, 2, 0x123456);
    EXPECT_EQ(dot.At(1, 2), 0x123456u);
    EXPECT_EQ(dot.ChangedCount(), 1);
}

TEST(WuLine, DiagonalsAreSolidInBothDirections) {
    for (int direction : {1, -1}) {
        BufferCanvas b(12, 12, kWhite);
        const int x0 = direction > 0 ? 1 : 9;
        pe::WuLine(b.Canvas(), x0 + 8 * direction, 10, x0, 2, kBlack);  // drawn upwards: reordered
        EXPECT_EQ(b.ChangedCount(), 9);
        for (int k = 0; k <= 8; ++k) EXPECT_EQ(b.At(x0 + k * direction, 2 + k), kBlack) << k;
    }
}

TEST(WuLine, XMajorLineBlendsPairsWithTheAccumulatorsWeights) {
    BufferCanvas b(12, 6, kWhite);
    pe::WuLine(b.Canvas(), 0, 0, 10, 3, kBlack);
    // adjust = 3 * 65536 / 10 = 19660; the weight is the accumulator's top 4 bits and the
    // row steps each time it wraps.
    struct Pair {
        int x, y, weight;
    };
    const Pair pairs[] = {{1, 0, 4}, {2, 0, 9}, {3, 0, 14}, {4, 1, 3}, {5, 1, 7},
                          {6, 1, 12}, {7, 2, 1}, {8, 2, 6}, {9, 2, 11}};
    for (const Pair& p : pairs) {
        EXPECT_EQ(WeightAt(b, p.x, p.y), p.weight) << p.x;
        EXPECT_EQ(WeightAt(b, p.x, p.y + 1), 15 - p.weight) << p.x;
    }
    EXPECT_EQ(b.At(0, 0), kBlack);
    EXPECT_EQ(b.At(10, 3), kBlack);
    EXPECT_EQ(b.ChangedCount(), 2 + 2 * 9);
}

// Every octant is the same stepping mirrored, transposed or with its ends swapped.
TEST(WuLine, AllOctantsAreMirrorsAndTransposesOfOne) {
    const int size = 23, c = 11;  // so that 2c - x stays inside
    struct End {
        int dx, dy;
    };
    const End ends[] = {{9, 4}, {4, 9}, {-9, 4}, {-4, 9}, {9, -4}, {4, -9}, {-9, -4}, {-4, -9}, {7, 1}, {1, 7}};
    for (const End& e : ends) {
        BufferCanvas forward(size, size, kWhite), backward(size, size, kWhite), mirrored(size, size, kWhite),
            transposed(size, size, kWhite);
        pe::WuLine(forward.Canvas(), c, c, c + e.dx, c + e.dy, kBlack);
        pe::WuLine(backward.Canvas(), c + e.dx, c + e.dy, c, c, kBlack);
        pe::WuLine(mirrored.Canvas(), c, c, c - e.dx, c + e.dy, kBlack);
        pe::WuLine(transposed.Canvas(), c, c, c + e.dy, c + e.dx, kBlack);
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                ASSERT_EQ(forward.At(x, y), backward.At(x, y)) << e.dx << "," << e.dy << " at " << x << "," << y;
                // The line is stepped from its upper end, so mirroring across x keeps rows.
                ASSERT_EQ(forward.At(x, y), mirrored.At(2 * c - x, y)) << e.dx << "," << e.dy;
                // Transposing swaps the majors, but only for lines drawn downwards from c.
                if (e.dy > 0 && e.dx > 0) {
                    ASSERT_EQ(forward.At(x, y), transposed.At(y, x)) << e.dx << "," << e.dy;
                }
            }
        }
        // Each step of the major axis shares one full pixel's worth of ink between two pixels.
        const bool yMajor = std::abs(e.dy) > std::abs(e.dx);
        const int steps = yMajor ? std::abs(e.dy) : std::abs(e.dx);
        int ink = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) ink += 15 - WeightAt(forward, x, y);
        }
        EXPECT_EQ(ink, 15 * 2 + 15 * (steps - 1)) << e.dx << "," << e.dy;
    }
}

TEST(Glow, ShadesOnlyKeyPixelsWithinReachAndSquare) {
    const int size = 71, c = 35;
    BufferCanvas b(size, size, kWhite);
    // A stripe of another colour through the glow must stay as it is.
    for (int x = 0; x < size; ++x) b.Canvas().Set(x, c + 3, 0x00FF00);
    pe::Glow(b.Canvas(), c, c, kBlack, kWhite);
    EXPECT_EQ(b.At(c, c), kBlack);
    for (int d = 1; d <= 25; ++d) {
        const uint32_t expected = GlowColor(kWhite, kBlack, double(d));
        EXPECT_EQ(b.At(c + d, c), expected) << d;
        EXPECT_EQ(b.At(c - d, c), expected) << d;
        EXPECT_EQ(b.At(c, c - d), expected) << d;
    }
    EXPECT_EQ(b.At(c + 26, c), kWhite);       // inside the reach, outside the 51 x 51 square
    EXPECT_EQ(b.At(c + 21, c + 21), kWhite);  // inside the square, beyond the reach
    EXPECT_EQ(b.At(c + 20, c + 20), GlowColor(kWhite, kBlack, std::sqrt(800.0)));
    EXPECT_EQ(b.At(c + 5, c + 3), 0x00FF00u);
    int changed = 0;
    for (int dy = -25; dy <= 25; ++dy) {
        for (int dx = -25; dx <= 25; ++dx) {
            if (dx * dx + dy * dy <= 800 && dy != 3 && b.At(c + dx, c + dy) != kWhite) ++changed;
        }
    }
    EXPECT_EQ(changed, b.ChangedCount() - size);  // nothing changed outside the disc but the stripe
}

// Bad input: effects reaching past the bitmap draw their visible part and write nothing
// outside, in every layout.
TEST(Clipping, EffectsPastTheEdgesStayInsideTheBitmap) {
    struct Layout {
        int bits;
        bool topDown;
    };
    for (const Layout layout : {Layout{24, true}, Layout{24, false}, Layout{32, true}, Layout{32, false}}) {
        BufferCanvas b(13, 9, kWhite, layout.bits, layout.topDown);
        DibBitsCanvas& canvas = b.Canvas();
        pe::Glow(canvas, 0, 0, kBlack, kWhite);
        pe::Glow(canvas, 12, 8, kBlack, kWhite);
        pe::Glow(canvas, -500, 4, kBlack, kWhite);
        pe::WuLine(canvas, -20, -3, 40, 12, kBlack);
        pe::WuLine(canvas, 6, -1000000, 7, 1000000, kBlack);
        pe::WuLine(canvas, -2147483647, 2, 2147483647, 5, kBlack);
        pe::Bevel(canvas, -3, -3, 15, 11, 6);
        pe::ChangeRow(canvas, -100, 9, 100, pe::Darkening(0));
        pe::Blend(canvas, 13, 0, kBlack, 0);
        EXPECT_TRUE(b.OnlyPixelsWritten()) << layout.bits << layout.topDown;
        EXPECT_GT(b.ChangedCount(), 0);
    }
}

// A line far longer than the bitmap starts stepping where it comes into view; what shows
// must be what the whole line, drawn on a bitmap big enough to hold it, has there.
TEST(Clipping, LongLinesJumpToTheirVisiblePartExactly) {
    struct Case {
        int x0, y0, x1, y1;
        bool yMajor;
    };
    const Case cases[] = {{3, -30000, 5, 30000, true}, {5, -30000, 2, 30000, true},
                          {-30000, 3, 30000, 6, false}, {30000, 2, -30000, 5, false}};
    for (const Case& c : cases) {
        const int longSide = 60001;
        BufferCanvas small(8, 8, kWhite);
        BufferCanvas whole(c.yMajor ? 8 : longSide, c.yMajor ? longSide : 8, kWhite, 24, true, {},
                           c.yMajor ? 0 : 30000, c.yMajor ? 30000 : 0);
        pe::WuLine(small.Canvas(), c.x0, c.y0, c.x1, c.y1, kBlack);
        pe::WuLine(whole.Canvas(), c.x0, c.y0, c.x1, c.y1, kBlack);
        EXPECT_GT(small.ChangedCount(), 0);
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                EXPECT_EQ(small.At(x, y), whole.Canvas().Get(x, y)) << c.x0 << "," << c.y0 << " at " << x << "," << y;
            }
        }
    }
}

TEST(DibBitsCanvas, LayoutOriginAndClipAddressTheRightBytes) {
    // Bottom-up: logical row 0 is the last row in memory.
    BufferCanvas bottomUp(5, 4, kWhite, 32, false);
    bottomUp.Canvas().Set(1, 0, 0x112233);
    EXPECT_EQ(bottomUp.At(1, 0), 0x112233u);  // the fourth byte is cleared as SetPixel does
    EXPECT_EQ(bottomUp.Canvas().Get(1, 0), 0x112233u);

    // Origin (2, 1) and a clip of two parts: logical (0, 0) is bitmap (2, 1).
    const std::vector<PixelBounds> clip{{0, 0, 3, 2}, {4, 3, 10, 10}};
    BufferCanvas clipped(6, 5, kWhite, 24, true, clip, 2, 1);
    DibBitsCanvas& canvas = clipped.Canvas();
    EXPECT_EQ(canvas.Bounds().left, -2);
    EXPECT_EQ(canvas.Bounds().right, 4);  // the second part ends at the bitmap's edge
    canvas.Set(0, 0, kBlack);             // bitmap (2, 1): in the first part
    canvas.Set(1, 0, kBlack);             // bitmap (3, 1): in neither part
    canvas.Set(3, 3, kBlack);             // bitmap (5, 4): in the second
    EXPECT_EQ(clipped.At(2, 1), kBlack);
    EXPECT_EQ(clipped.At(3, 1), kWhite);
    EXPECT_EQ(clipped.At(5, 4), kBlack);
    EXPECT_EQ(canvas.Get(1, 0), kInvalidColor);
    EXPECT_EQ(clipped.ChangedCount(), 2);

    // A clip that shows nothing.
    BufferCanvas hidden(4, 4, kWhite, 24, true, {PixelBounds{}});
    hidden.Canvas().Set(0, 0, kBlack);
    EXPECT_EQ(hidden.ChangedCount(), 0);
}

}  // namespace
