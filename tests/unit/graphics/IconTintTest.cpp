// The pale tints of the device icons.
#include <gtest/gtest.h>

#include <algorithm>

#include "graphics/IconTint.h"

namespace {

// Colour bytes in memory order: the first (blue) byte is read as r.
constexpr uint32_t Bytes(uint32_t alpha, uint32_t first, uint32_t second, uint32_t third) {
    return alpha << 24 | third << 16 | second << 8 | first;
}

TEST(TintPixel, TurnsAFullColourToEachOfSixPaleHues) {
    const uint32_t red = Bytes(255, 255, 0, 0);
    struct Case {
        int variant;
        uint32_t out;
    } cases[] = {
        {0, red},                          // drawn as it is
        {1, Bytes(255, 255, 255, 178)},    // hue 60
        {2, Bytes(255, 178, 255, 178)},    // 120
        {3, Bytes(255, 178, 255, 255)},    // 180
        {4, Bytes(255, 178, 178, 255)},    // 240
        {5, Bytes(255, 255, 178, 255)},    // 300
        {6, Bytes(255, 255, 178, 178)},    // hue kept, only desaturated
        {9, Bytes(255, 255, 178, 178)},
    };
    for (const Case& c : cases) EXPECT_EQ(TintPixel(red, c.variant), c.out) << c.variant;
}

TEST(TintPixel, TurnedHuePast360WrapsAround) {
    // Hue 300 turned by 300 lands on 240.
    EXPECT_EQ(TintPixel(Bytes(255, 255, 0, 255), 5), Bytes(255, 178, 178, 255));
}

TEST(TintPixel, GreysGetATintButKeepTheirLightness) {
    EXPECT_EQ(TintPixel(Bytes(255, 128, 128, 128), 6), Bytes(255, 128, 89, 89));
    EXPECT_EQ(TintPixel(Bytes(255, 0, 0, 0), 3), Bytes(255, 0, 0, 0));
    EXPECT_EQ(TintPixel(Bytes(255, 255, 255, 255), 2), Bytes(255, 178, 255, 178));
}

TEST(TintPixel, KeepsAlphaAndThePremultipliedBound) {
    for (int variant = 1; variant <= 7; ++variant) {
        const uint32_t in = Bytes(128, 120, 30, 77);
        const uint32_t out = TintPixel(in, variant);
        EXPECT_EQ(out >> 24, 128u) << variant;
        const uint32_t largest = std::max({out & 0xFF, (out >> 8) & 0xFF, (out >> 16) & 0xFF});
        EXPECT_EQ(largest, 120u) << "value changed, variant " << variant;
    }
}

TEST(TintPixels, ChangesOnlyTheGivenRectOfTheBuffer) {
    uint32_t pixels[2 * 3];
    std::fill(std::begin(pixels), std::end(pixels), Bytes(255, 255, 0, 0));
    TintPixels(pixels, 2, 2, 3, 6);
    EXPECT_EQ(pixels[0], Bytes(255, 255, 178, 178));
    EXPECT_EQ(pixels[4], Bytes(255, 255, 178, 178));
    EXPECT_EQ(pixels[2], Bytes(255, 255, 0, 0)) << "padding tinted";
    EXPECT_EQ(pixels[5], Bytes(255, 255, 0, 0)) << "padding tinted";
}

}  // namespace
