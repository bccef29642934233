// Skin images and image strips: Targa blocks decoded into DIB sections, resources, frames.
#include <gtest/gtest.h>

#include "TestArt.h"
#include "graphics/ImageStrips.h"
#include "graphics/SkinImage.h"

namespace {

const std::vector<uint8_t> kStrip = MakeTga(72, 3, 42, StripPixel);

// The pixels of a skin image cut from the strip's columns from x0 on, as stored.
void ExpectStripPixels(const Bitmap& bitmap, int x0, int width) {
    const DibPixels dib = GetDibPixels(bitmap.Get());
    ASSERT_TRUE(dib.pixels && dib.width == width && dib.height == 3) << x0;
    for (int i = 0; i < width * 3; ++i)
        ASSERT_EQ(dib.pixels[i], StripPixel(x0 + i % width, i / width)) << x0 << " " << i;
}

TEST(SkinImage, DecodesRowsAfterTheImageIdAndCutsWholeFramesLeftToRight) {
    ExpectStripPixels(DecodeSkinImage(kStrip.data(), kStrip.size(), false), 0, 72);
    const auto loaded = LoadSkinFrames(kStripTga, 24, false);
    ASSERT_EQ(loaded.size(), 3u) << "72 columns hold three frames of 24";
    for (int k = 0; k < 3; ++k) ExpectStripPixels(loaded[k], 24 * k, 24);
    auto withFooter = kStrip;
    withFooter.resize(kStrip.size() + 26, 'x');
    ExpectStripPixels(DecodeSkinImage(withFooter.data(), withFooter.size(), false), 0, 72);
    // Premultiplied: colour times alpha over 255, truncated; alpha 128 at column 34, 64 at 35.
    const auto frames = DecodeSkinFrames(kStrip.data(), kStrip.size(), 16, true);
    ASSERT_EQ(frames.size(), 4u);
    const Bitmap image = LoadSkinImage(kStripTga, true);
    const DibPixels third = GetDibPixels(frames[2].Get()), whole = GetDibPixels(image.Get());
    EXPECT_EQ(third.pixels[0], StripPixel(32, 0)) << "opaque stays as it is";
    EXPECT_EQ(third.pixels[2 * 16 + 2], 0x80643211u);  // 200, 100 and 34 halved
    EXPECT_EQ(third.pixels[1 * 16 + 3], 0x40320C08u);  // 200, 50 and 35 quartered
    EXPECT_EQ(whole.pixels[1 * 72 + 33], 0u);
}

TEST(SkinImage, BadBlocksAndResourcesGiveNoImage) {
    // Pixels cut short, part of the image id, frame widths 0, negative and wider than the image.
    const std::pair<size_t, int> frameCases[] = {
        {kStrip.size() - 1, 16}, {18 + 41, 16}, {kStrip.size(), 0}, {kStrip.size(), -8}, {kStrip.size(), 73}};
    for (auto [size, frameWidth] : frameCases)
        EXPECT_TRUE(DecodeSkinFrames(kStrip.data(), size, frameWidth, true).empty()) << size << " " << frameWidth;
    auto huge = kStrip;
    huge[12] = huge[13] = huge[14] = huge[15] = 0xFF;  // 65535 x 65535 must not wrap the length check
    EXPECT_FALSE(DecodeSkinImage(huge.data(), huge.size(), true));
    EXPECT_FALSE(LoadSkinImage(kCornerRgn, true)) << "a region is not a TGA resource";
}

TEST(ImageStrips, SkinStripsBlendAndBitmapStripsCopyTheChosenFrameAndNothingOutside) {
    SkinStrip skin;
    skin.Load(16, kStripTga);
    EXPECT_EQ(skin.GetHeight(), 3);
    BitmapStrip bitmap;
    bitmap.SetBitmap(24, LoadSkinImage(kStripTga, false));
    TestCanvas canvas(80, 8, 0x00102030);
    for (int outside : {-1, 4}) skin.DrawFrame(outside, canvas.Dc(), 0, 0);
    skin.DrawFrame(2, canvas.Dc(), 5, 2);
    bitmap.DrawFrame(2, canvas.Dc(), 30, 4);  // the last frame
    bitmap.DrawFrame(3, canvas.Dc(), 60, 0);  // past the last frame
    // (x, y) of the canvas, and the strip's (col, row) or the background (-1) it must show.
    const int cases[][4] = {{5, 2, 32, 0},  {17, 4, 44, 2},  {6, 3, -1, 0}, {21, 2, -1, 0}, {5, 5, -1, 0},
                            {0, 0, -1, 0},  {30, 4, 48, 0},  {31, 6, 49, 2}, {53, 4, 71, 0}, {54, 4, -1, 0},
                            {60, 0, -1, 0}};
    for (const auto& c : cases) {
        const uint32_t expected = c[2] < 0 ? 0x102030 : StripPixel(c[2], c[3]) & 0xFFFFFF;
        EXPECT_EQ(canvas.Pixel(c[0], c[1]), expected) << c[0] << "," << c[1];
    }
}

}  // namespace
