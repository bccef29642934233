// Skin images and image strips: decoding into DIB sections, resources and drawing frames.
#include <gtest/gtest.h>

#include "TestArt.h"
#include "graphics/Dib.h"
#include "graphics/ImageStrips.h"
#include "graphics/PixelOps.h"
#include "graphics/SkinImage.h"

namespace {

const std::vector<uint8_t> kStrip = MakeTga(72, 3, 42, StripPixel);

// Every pixel of a skin image against the strip's rule from column x0 on.
void ExpectStripPixels(HBITMAP bitmap, int x0, int width, bool premultiplied) {
    const DibPixels dib = GetDibPixels(bitmap);
    ASSERT_NE(dib.pixels, nullptr);
    ASSERT_EQ(dib.width, width);
    ASSERT_EQ(dib.height, 3);
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < width; ++col) {
            const uint32_t source = StripPixel(x0 + col, row);
            ASSERT_EQ(dib.pixels[row * width + col],
                      premultiplied ? PremultiplyPixel(source) : source)
                << "column " << x0 + col << " row " << row;
        }
    }
}

TEST(DecodeSkinImage, CopiesRowsInStoredOrderPremultipliedWhenAsked) {
    const Bitmap plain = DecodeSkinImage(kStrip.data(), kStrip.size(), false);
    ExpectStripPixels(plain.Get(), 0, 72, false);
    const Bitmap premultiplied = DecodeSkinImage(kStrip.data(), kStrip.size(), true);
    ExpectStripPixels(premultiplied.Get(), 0, 72, true);
}

TEST(DecodeSkinFrames, CutsWholeFramesLeftToRight) {
    const auto frames = DecodeSkinFrames(kStrip.data(), kStrip.size(), 16, true);
    ASSERT_EQ(frames.size(), 4u) << "72 columns hold four frames of 16";
    for (int k = 0; k < 4; ++k) ExpectStripPixels(frames[k].Get(), 16 * k, 16, true);
}

TEST(DecodeSkinImage, BadBlocksGiveNoImage) {
    struct Case {
        const char* what;
        size_t size;
        int frameWidth;
    } cases[] = {
        {"pixels cut short", kStrip.size() - 4, 16},
        {"header only", 18, 16},
        {"frame width 0", kStrip.size(), 0},
        {"frame width negative", kStrip.size(), -8},
        {"frame wider than the image", kStrip.size(), 73},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(DecodeSkinFrames(kStrip.data(), c.size, c.frameWidth, true).empty()) << c.what;
    }
    EXPECT_FALSE(DecodeSkinImage(kStrip.data(), kStrip.size() - 1, true));
    EXPECT_FALSE(DecodeSkinImage(nullptr, 0, true));
    const auto empty = MakeTga(0, 3, 0, StripPixel);
    EXPECT_FALSE(DecodeSkinImage(empty.data(), empty.size(), true));
}

TEST(LoadSkinImage, ReadsTheTgaResourceOfTheModule) {
    const Bitmap image = LoadSkinImage(kStripTga, true);
    ExpectStripPixels(image.Get(), 0, 72, true);
    const auto frames = LoadSkinFrames(kStripTga, 24, true);
    ASSERT_EQ(frames.size(), 3u);
    ExpectStripPixels(frames[2].Get(), 48, 24, true);
    EXPECT_FALSE(LoadSkinImage(999, true));
    EXPECT_FALSE(LoadSkinImage(kBadgeBitmap, true)) << "a bitmap is not a TGA resource";
}

TEST(SkinStrip, TakesFrameSizeAndCountFromTheImage) {
    SkinStrip strip;
    strip.Load(16, kStripTga);
    EXPECT_EQ(strip.FrameCount(), 4);
    EXPECT_EQ(strip.GetFrameWidth(), 16);
    EXPECT_EQ(strip.GetHeight(), 3);
    strip.Load(100, kStripTga);
    EXPECT_EQ(strip.FrameCount(), 0);
    EXPECT_EQ(strip.GetHeight(), 0);
}

TEST(SkinStrip, BlendsTheChosenFrame) {
    SkinStrip strip;
    strip.Load(16, kStripTga);
    const uint32_t background = 0x00102030;
    TestCanvas canvas(40, 8, background);
    strip.DrawFrame(2, canvas.Dc(), 5, 2);
    EXPECT_EQ(canvas.Pixel(5, 2), StripPixel(32, 0) & 0xFFFFFF) << "opaque pixel copied";
    EXPECT_EQ(canvas.Pixel(6, 3), background) << "transparent pixel left the background";
    EXPECT_EQ(canvas.Pixel(17, 4), StripPixel(44, 2) & 0xFFFFFF);
    EXPECT_EQ(canvas.Pixel(21, 2), background) << "drew past the frame";
    EXPECT_EQ(canvas.Pixel(5, 5), background) << "drew below the frame";
}

TEST(SkinStrip, EmptyStripsAndFramesOutsideTheStripDrawNothing) {
    SkinStrip strip;
    TestCanvas canvas(40, 8, 0x00102030);
    strip.DrawFrame(0, canvas.Dc(), 0, 0);
    strip.Load(16, kStripTga);
    strip.DrawFrame(4, canvas.Dc(), 0, 0);
    strip.DrawFrame(-1, canvas.Dc(), 0, 0);
    for (int x = 0; x < 16; ++x) ASSERT_EQ(canvas.Pixel(x, 0), 0x00102030u) << x;
}

TEST(BitmapStrip, CopiesTheChosenFrame) {
    BitmapStrip strip;
    strip.Load(39, kBadgeBitmap);
    EXPECT_EQ(strip.GetFrameWidth(), 39);
    EXPECT_EQ(strip.GetHeight(), 15);
    TestCanvas canvas(100, 20, 0);
    strip.DrawFrame(1, canvas.Dc(), 0, 0);
    strip.DrawFrame(0, canvas.Dc(), 40, 0);
    strip.DrawFrame(2, canvas.Dc(), 80, 0);  // past the last frame
    EXPECT_EQ(canvas.Pixel(0, 0), 0x0000FFu);
    EXPECT_EQ(canvas.Pixel(38, 14), 0x0000FFu);
    EXPECT_EQ(canvas.Pixel(40, 0), 0xFF0000u);
    EXPECT_EQ(canvas.Pixel(39, 0), 0u) << "frame drew wider than its width";
    EXPECT_EQ(canvas.Pixel(80, 0), 0u);
}

}  // namespace
