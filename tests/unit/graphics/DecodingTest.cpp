// The art decoded: Targa blocks into DIB sections and strips, RGN blocks into regions.
#include <gtest/gtest.h>
#include <cstring>
#include <tuple>
#include <vector>
#include "TestArt.h"
#include "graphics/ImageStrips.h"
#include "graphics/Region.h"
#include "graphics/RegionData.h"
#include "graphics/Resources.h"
#include "graphics/SkinImage.h"

namespace {

const ResourceBytes kStrip = FindResourceBytes(kStripTga, "TGA");

// The pixels of a skin image cut from the strip's columns from x0 on, as stored.
void ExpectStripPixels(const Bitmap& bitmap, int x0, int width) {
    const DibPixels dib = GetDibPixels(bitmap.Get());
    ASSERT_TRUE(dib.pixels && dib.width == width && dib.height == 3) << x0;
    for (int i = 0; i < width * 3; ++i)
        ASSERT_EQ(dib.pixels[i], StripPixel(x0 + i % width, i / width)) << x0 << " " << i;
}

TEST(SkinImage, DecodesRowsAfterTheImageIdAndCutsWholeFramesLeftToRight) {
    ExpectStripPixels(DecodeSkinImage(kStrip.data, kStrip.size, false), 0, 72);
    const auto loaded = LoadSkinFrames(kStripTga, 24, false);
    ASSERT_EQ(loaded.size(), 3u) << "72 columns hold three frames of 24";
    for (int k = 0; k < 3; ++k) ExpectStripPixels(loaded[k], 24 * k, 24);
    // Premultiplied: colour times alpha over 255, truncated; alpha 128 at column 34, 64 at 35.
    const auto frames = DecodeSkinFrames(kStrip.data, kStrip.size, 16, true);
    ASSERT_EQ(frames.size(), 4u);
    const DibPixels third = GetDibPixels(frames[2].Get());
    EXPECT_EQ(third.pixels[0], StripPixel(32, 0)) << "opaque stays as it is";
    EXPECT_EQ(third.pixels[2 * 16 + 2], 0x80643211u);  // 200, 100 and 34 halved
    EXPECT_EQ(third.pixels[1 * 16 + 3], 0x40320C08u);  // 200, 50 and 35 quartered
}

TEST(SkinImage, BadBlocksAndResourcesGiveNoImage) {
    // Pixels cut short, part of the image id, frame widths 0, negative and wider than the image.
    const std::pair<size_t, int> cases[] = {{kStripEnd - 1, 16}, {18 + 41, 16}, {kStripEnd, 0}, {kStripEnd, -8},
                                            {kStripEnd, 73}};
    for (auto [size, frameWidth] : cases)
        EXPECT_TRUE(DecodeSkinFrames(kStrip.data, size, frameWidth, true).empty()) << size << " " << frameWidth;
    std::vector<uint8_t> huge(kStrip.data, kStrip.data + kStrip.size);
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
    BitmapStrip uneven;  // 72 columns hold two whole frames of 28; the third would be cut
    uneven.SetBitmap(28, LoadSkinImage(kStripTga, false));
    uneven.DrawFrame(2, canvas.Dc(), 60, 4);
    // (x, y) of the canvas, and the strip's (col, row) or the background (-1) it must show.
    const int cases[][4] = {{5, 2, 32, 0}, {17, 4, 44, 2}, {6, 3, -1, 0}, {21, 2, -1, 0}, {5, 5, -1, 0}, {0, 0, -1, 0},
                           {30, 4, 48, 0}, {31, 6, 49, 2}, {53, 4, 71, 0}, {54, 4, -1, 0}, {60, 0, -1, 0}, {61, 5, -1, 0}};
    for (const auto& [x, y, col, row] : cases)
        EXPECT_EQ(canvas.Pixel(x, y), col < 0 ? 0x102030 : StripPixel(col, row) & 0xFFFFFF) << x << "," << y;
}

// The RGNDATA block of kCornerRgn's L claiming `count` rectangles of a type (1: rectangles), `size` bytes.
std::vector<uint8_t> LBlock(uint32_t count, size_t size = 64, int type = 1) {
    const int32_t words[16] = {32, type, int32_t(count), int32_t(count * 16), 0, 0, 10, 10, 0, 0, 10, 5, 0, 5, 4, 10};
    std::vector<uint8_t> bytes(size);
    std::memcpy(bytes.data(), words, sizeof words);
    return bytes;
}

TEST(RegionDataExtent, CoversHeaderAndCountedRectanglesOfBlocksThatHoldThem) {
    // Exact, with trailing bytes, a count beyond the data, a count of 2^32 - 1, a header cut
    // short, rectangles of another type.
    const std::tuple<std::vector<uint8_t>, size_t, size_t> cases[] = {
        {LBlock(2), 64, 64}, {LBlock(2, 71), 71, 64}, {LBlock(3), 64, 0}, {LBlock(0xFFFFFFFF), 64, 0},
        {LBlock(2), 31, 0},  {LBlock(2, 64, 2), 64, 0}};
    for (const auto& [block, size, extent] : cases) EXPECT_EQ(RegionDataExtent(block.data(), size), extent) << size;
}

TEST(Region, FactoriesArithmeticAndCopiesCoverTheRightPixels) {
    Region a = Region::CreateRect(0, 0, 10, 10), assigned;
    const Region b = Region::CreateRect(5, 5, 10, 10);
    assigned = a;
    Region detached(a.DetachCopy());
    const std::tuple<const char*, Region, POINT, POINT> cases[] = {
        {"rect keeps its last pixel", a, {9, 9}, {10, 10}},
        {"merge", Region::Merge(a, b), {14, 14}, {14, 1}},
        {"subtract", Region::Subtract(a, b), {1, 1}, {6, 6}},
        {"offset", Region::Offset(a, 5, 7), {14, 16}, {4, 6}},
    };
    OffsetRgn(a.GetHandle(), 100, 0);  // copies must not follow their source
    for (const auto& [what, region, in, out] : cases) {
        EXPECT_TRUE(region.Contains(in.x, in.y)) << what;
        EXPECT_FALSE(region.Contains(out.x, out.y)) << what;
    }
    for (const Region* copy : {&assigned, &detached}) EXPECT_TRUE(copy->Contains(5, 5));
}

TEST(Region, LoadsRgnBlocksAndFailedLoadsLeaveNoArea) {
    Region r;
    ASSERT_TRUE(r.LoadFromResource(kCornerRgn));
    EXPECT_TRUE(r.Contains(3, 9));
    EXPECT_FALSE(r.Contains(5, 7)) << "the notch of the L";
    const auto bad = LBlock(3);
    const Region square = Region::CreateRect(0, 0, 3, 3);
    for (bool resource : {true, false}) {  // an image, not a region; a count beyond the block
        r = square;
        EXPECT_FALSE(resource ? r.LoadFromResource(kStripTga) : r.LoadFromData(bad.data(), bad.size()));
        EXPECT_FALSE(r.Contains(1, 1));
        EXPECT_TRUE(Region(r).IsEmpty());
        // A piece that failed to load loses only itself in the outlines made with it.
        for (const Region& kept : {Region::Merge(r, square), Region::Merge(square, r), Region::Subtract(square, r)})
            EXPECT_TRUE(kept.Contains(1, 1));
        r = square;  // takes an area again by assignment
        EXPECT_TRUE(r.Contains(1, 1));
    }
}

}  // namespace
