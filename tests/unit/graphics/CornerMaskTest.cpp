// The corner-shade masks and where a shade is placed.
#include <gtest/gtest.h>

#include <vector>

#include "graphics/CornerMask.h"

namespace {

TEST(CornerShadeAlpha, FallsFrom102AtTheCornerTo0AtDistance64) {
    struct Case {
        double distance;
        int alpha;
    } cases[] = {{0, 102}, {1, 100}, {32, 50}, {63.9, 0}, {64, 0}, {90.5, 0}};
    for (const Case& c : cases) EXPECT_EQ(CornerShadeAlpha(c.distance), c.alpha) << c.distance;
}

TEST(CornerShadeAlpha, NeverGrowsWithDistance) {
    int previous = 255;
    for (double d = 0; d <= 100; d += 0.25) {
        const int alpha = CornerShadeAlpha(d);
        EXPECT_LE(alpha, previous) << d;
        previous = alpha;
    }
}

TEST(CornerMask, FirstIsDarkestAtTheTopLeftOfABottomUpMask) {
    EXPECT_EQ(CornerMaskAlpha(CornerMask::First, 0, 63), 100);  // one pixel below (0, 64)
    EXPECT_EQ(CornerMaskAlpha(CornerMask::First, 63, 0), 0);
    EXPECT_EQ(CornerMaskAlpha(CornerMask::Second, 63, 0), 100);  // one pixel left of (64, 0)
    EXPECT_EQ(CornerMaskAlpha(CornerMask::Second, 0, 63), 0);
}

TEST(CornerMask, SecondIsTheFirstMirroredOnTheDiagonal) {
    for (int row = 0; row < kCornerMaskSize; ++row) {
        for (int col = 0; col < kCornerMaskSize; ++col) {
            ASSERT_EQ(CornerMaskAlpha(CornerMask::Second, col, row),
                      CornerMaskAlpha(CornerMask::First, row, col))
                << col << "," << row;
        }
    }
}

TEST(FillCornerMask, WritesBlackWithAlphaRowByRowInsideItsStride) {
    const int stride = kCornerMaskSize + 2;
    std::vector<uint32_t> pixels(stride * kCornerMaskSize, 0x12345678);
    FillCornerMask(CornerMask::First, pixels.data(), stride);
    EXPECT_EQ(pixels[63 * stride + 0], 100u << 24);
    EXPECT_EQ(pixels[0 * stride + 63], 0u);
    EXPECT_EQ(pixels[10 * stride + 20], uint32_t{CornerMaskAlpha(CornerMask::First, 20, 10)} << 24);
    EXPECT_EQ(pixels[5 * stride + 64], 0x12345678u) << "padding overwritten";
    EXPECT_EQ(pixels[5 * stride + 65], 0x12345678u) << "padding overwritten";
}

TEST(PlaceCornerShade, FlipsNegativeSizesAndPicksTheMaskByWidth) {
    struct Case {
        Rect in;
        Rect out;
        CornerMask mask;
    } cases[] = {
        {{10, 20, 200, 50}, {10, 20, 200, 50}, CornerMask::First},
        {{300, 20, -200, 50}, {100, 20, 200, 50}, CornerMask::Second},
        {{10, 100, 200, -50}, {10, 50, 200, 50}, CornerMask::First},
        {{0, 0, -10, -10}, {-10, -10, 10, 10}, CornerMask::Second},
    };
    for (const Case& c : cases) {
        const CornerShadePlacement p = PlaceCornerShade(c.in);
        EXPECT_EQ(p.rect.x, c.out.x);
        EXPECT_EQ(p.rect.y, c.out.y);
        EXPECT_EQ(p.rect.width, c.out.width);
        EXPECT_EQ(p.rect.height, c.out.height);
        EXPECT_EQ(p.mask, c.mask);
    }
}

}  // namespace
