// Targa decoding, premultiplication and frame cutting on plain buffers.
#include <gtest/gtest.h>

#include "TestArt.h"
#include "graphics/PixelOps.h"
#include "graphics/Tga.h"

namespace {

TEST(ParseTga, PixelsStartAfterTheImageId) {
    const auto bytes = MakeTga(3, 2, 42, StripPixel);
    TgaImage image;
    ASSERT_TRUE(ParseTga(bytes.data(), bytes.size(), &image));
    EXPECT_EQ(image.width, 3);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(image.pixels, bytes.data() + 18 + 42);
}

TEST(ParseTga, IgnoresAFooterAfterThePixels) {
    auto bytes = MakeTga(2, 2, 0, StripPixel);
    bytes.resize(bytes.size() + 26, 'x');
    TgaImage image;
    EXPECT_TRUE(ParseTga(bytes.data(), bytes.size(), &image));
    EXPECT_EQ(image.width, 2);
}

TEST(ParseTga, RefusesBlocksShorterThanTheyClaim) {
    const auto full = MakeTga(4, 3, 10, StripPixel);
    struct Case {
        const char* what;
        size_t size;
    } cases[] = {
        {"nothing", 0},
        {"part of the header", 17},
        {"header but not all of the image id", 18 + 9},
        {"one byte of pixels missing", full.size() - 1},
        {"last row missing", full.size() - 16},
    };
    for (const Case& c : cases) {
        TgaImage image;
        EXPECT_FALSE(ParseTga(full.data(), c.size, &image)) << c.what;
        EXPECT_TRUE(image.Empty()) << c.what;
        EXPECT_EQ(image.pixels, nullptr) << c.what;
    }
}

TEST(ParseTga, LargestHeaderSizesDoNotWrapTheLengthCheck) {
    auto bytes = MakeTga(1, 1, 0, StripPixel);
    bytes[12] = bytes[13] = bytes[14] = bytes[15] = 0xFF;  // 65535 x 65535
    TgaImage image;
    EXPECT_FALSE(ParseTga(bytes.data(), bytes.size(), &image));
}

TEST(ParseTga, ZeroSizedImageIsEmpty) {
    const auto bytes = MakeTga(0, 5, 0, StripPixel);
    TgaImage image;
    ParseTga(bytes.data(), bytes.size(), &image);
    EXPECT_TRUE(image.Empty());
}

TEST(Premultiply, ScalesColourByAlphaTruncating) {
    struct Case {
        uint32_t in, out;
    } cases[] = {
        {0x00C08040, 0x00000000},  // transparent becomes black
        {0xFFC08040, 0xFFC08040},  // opaque stays
        {0x80FF6403, 0x80803201},  // 255*128/255 = 128, 100*128/255 = 50.2, 3*128/255 = 1.5
        {0x01FFFFFF, 0x01010101},
        {0xFE010101, 0xFE000000},  // 254/255 of 1 truncates to 0
    };
    for (const Case& c : cases) EXPECT_EQ(PremultiplyPixel(c.in), c.out) << std::hex << c.in;
}

TEST(Premultiply, StaysInsideTheRowsItIsGiven) {
    // Two rows of two pixels in rows of three: the padding column must survive.
    uint32_t pixels[6] = {0x80FFFFFF, 0x00FFFFFF, 0x11111111, 0x80FFFFFF, 0x00FFFFFF, 0x22222222};
    PremultiplyPixels(pixels, 2, 2, 3);
    EXPECT_EQ(pixels[0], 0x80808080u);
    EXPECT_EQ(pixels[1], 0u);
    EXPECT_EQ(pixels[2], 0x11111111u);
    EXPECT_EQ(pixels[3], 0x80808080u);
    EXPECT_EQ(pixels[5], 0x22222222u);
}

TEST(FrameCount, DropsColumnsLeftOverAndRefusesUnusableWidths) {
    struct Case {
        int image, frame, frames;
    } cases[] = {
        {72, 16, 4}, {96, 24, 4}, {648, 24, 27}, {24, 24, 1},
        {23, 24, 0}, {72, 0, 0},  {72, -16, 0},  {0, 16, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FrameCount(c.image, c.frame), c.frames) << c.image << " / " << c.frame;
    }
}

TEST(CopyPixelColumns, TakesTheFramesColumnsFromEveryRow) {
    const auto bytes = MakeTga(72, 3, 1, StripPixel);
    TgaImage image;
    ASSERT_TRUE(ParseTga(bytes.data(), bytes.size(), &image));
    uint32_t frame[16 * 3];
    CopyPixelColumns(image.pixels, 72 * 4, 32, 16, 3, frame, 16);
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(frame[row * 16], StripPixel(32, row));
        EXPECT_EQ(frame[row * 16 + 15], StripPixel(47, row));
    }
}

}  // namespace
