// The image helpers and the two effects, drawn into memory DCs and read back.
#include <gtest/gtest.h>

#include <vector>

#include "TestArt.h"
#include "graphics/AlphaBlend.h"
#include "graphics/IconTint.h"
#include "graphics/ImageHelpers.h"
#include "graphics/PixelOps.h"
#include "graphics/SkinEffects.h"
#include "graphics/SkinImage.h"
#include "graphics/Tiling.h"

namespace {

constexpr uint32_t kBackground = 0x00102030;
constexpr uint32_t kInk = 0xFF4080C0;  // opaque

Bitmap SolidImage(int width, int height) {
    const auto bytes = MakeTga(width, height, 0, [](int, int) { return kInk; });
    return DecodeSkinImage(bytes.data(), bytes.size(), true);
}

struct Span {
    int position, length;
    bool operator==(const Span&) const = default;
};

std::vector<Span> Tiles(int start, int end, int size) {
    std::vector<Span> spans;
    ForEachTile(start, end, size, [&](int pos, int length) { spans.push_back({pos, length}); });
    return spans;
}

TEST(ForEachTile, CutsTheLastCopySoItEndsOnTheEnd) {
    EXPECT_EQ(Tiles(60, 110, 40), (std::vector<Span>{{60, 40}, {100, 11}}));
    EXPECT_EQ(Tiles(60, 100, 40), (std::vector<Span>{{60, 40}}));
    EXPECT_EQ(Tiles(0, 100, 25).size(), 4u);
    EXPECT_TRUE(Tiles(60, 60, 40).empty());
    EXPECT_TRUE(Tiles(60, 110, 0).empty()) << "an image of no width must not loop for ever";
}

TEST(AlphaBlend, IsFoundInTheSystemLibrary) { EXPECT_TRUE(AlphaBlendAvailable()); }

TEST(ImageHelpers, TileAlongBothEdgesUpToTheEndPixel) {
    const Bitmap image = SolidImage(40, 40);
    TestCanvas canvas(128, 128, kBackground);
    TileHorizontal(canvas.Dc(), image.Get(), 60, 0, 110);
    EXPECT_EQ(canvas.Pixel(59, 5), kBackground);
    EXPECT_EQ(canvas.Pixel(60, 5), kInk & 0xFFFFFF);
    EXPECT_EQ(canvas.Pixel(110, 5), kInk & 0xFFFFFF) << "cut copy does not reach x2";
    EXPECT_EQ(canvas.Pixel(111, 5), kBackground);
    EXPECT_EQ(canvas.Pixel(100, 40), kBackground) << "tiled below the image";

    canvas.Fill(kBackground);
    TileVertical(canvas.Dc(), image.Get(), 0, 20, 90);
    EXPECT_EQ(canvas.Pixel(5, 19), kBackground);
    EXPECT_EQ(canvas.Pixel(5, 90), kInk & 0xFFFFFF) << "cut copy does not reach y2";
    EXPECT_EQ(canvas.Pixel(5, 91), kBackground);
    EXPECT_EQ(canvas.Pixel(40, 30), kBackground) << "tiled right of the image";

    // A copy that ends exactly on the end is whole, and nothing follows it.
    canvas.Fill(kBackground);
    TileHorizontal(canvas.Dc(), image.Get(), 60, 0, 100);
    EXPECT_EQ(canvas.Pixel(99, 5), kInk & 0xFFFFFF);
    EXPECT_EQ(canvas.Pixel(100, 5), kBackground);
}

TEST(ImageHelpers, BlendAndBlitPlaceTheWholeOrPartOfAnImage) {
    const Bitmap image = SolidImage(10, 10);
    TestCanvas canvas(64, 64, kBackground);
    BlendImagePart(canvas.Dc(), image.Get(), 0, 0, 4, 3);
    EXPECT_EQ(canvas.Pixel(3, 2), kInk & 0xFFFFFF);
    EXPECT_EQ(canvas.Pixel(4, 2), kBackground);
    EXPECT_EQ(canvas.Pixel(3, 3), kBackground);
    BlendImage(canvas.Dc(), image.Get(), 20, 20);
    BlitImage(canvas.Dc(), image.Get(), 40, 40);
    EXPECT_EQ(canvas.Pixel(29, 29), kInk & 0xFFFFFF);
    EXPECT_EQ(canvas.Pixel(30, 30), kBackground);
    EXPECT_EQ(canvas.Pixel(49, 49), kInk & 0xFFFFFF);
    BlendImage(canvas.Dc(), nullptr, 0, 0);  // a failed load draws nothing
}

TEST(ImageHelpers, BackgroundCoversTheRectWithWholeTiles) {
    const Bitmap tile = SolidImage(16, 16);
    TestCanvas canvas(64, 64, kBackground);
    TileBackground(canvas.Dc(), tile.Get(), {4, 4, 20, 20});
    EXPECT_EQ(canvas.Pixel(3, 3), kBackground);
    EXPECT_EQ(canvas.Pixel(35, 35), kInk & 0xFFFFFF) << "last row and column are not cut";
    EXPECT_EQ(canvas.Pixel(36, 36), kBackground);
}

// The grey level of a pixel of a grey canvas.
int Grey(const TestCanvas& canvas, int x, int y) { return int(canvas.Pixel(x, y) & 0xFF); }

TEST(DrawCornerShade, DarkensTowardsTheMasksCorner) {
    TestCanvas canvas(300, 100, 0xFFFFFF);
    DrawCornerShade(canvas.Dc(), {0, 0, 128, 64});
    EXPECT_LT(Grey(canvas, 0, 0), 165) << "about 40 % darker at the corner";
    EXPECT_GT(Grey(canvas, 0, 0), 145);
    EXPECT_LT(Grey(canvas, 0, 0), Grey(canvas, 30, 15));
    EXPECT_EQ(Grey(canvas, 127, 63), 255);
    EXPECT_EQ(Grey(canvas, 128, 0), 255) << "shaded outside the rect";

    canvas.Fill(0xFFFFFF);
    DrawCornerShade(canvas.Dc(), {300, 0, -200, 64});  // the 200 pixels left of 300
    EXPECT_EQ(Grey(canvas, 99, 63), 255);
    EXPECT_LT(Grey(canvas, 299, 63), 165) << "second mask is darkest at the bottom right";
    EXPECT_EQ(Grey(canvas, 100, 0), 255);
}

class TintedFrameTest : public testing::Test {
protected:
    void SetUp() override { strip.Load(16, kStripTga); }
    SkinStrip strip;
    TestCanvas canvas{32, 8, kBackground};
};

TEST_F(TintedFrameTest, VariantZeroDrawsTheFrameAsItIs) {
    TestCanvas plain(32, 8, kBackground);
    strip.DrawFrame(1, plain.Dc(), 3, 2);
    DrawTintedFrame(canvas.Dc(), strip, 1, 0, 3, 2);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 32; ++x) ASSERT_EQ(canvas.Pixel(x, y), plain.Pixel(x, y)) << x << "," << y;
}

TEST_F(TintedFrameTest, OtherVariantsTintOpaquePixelsAndKeepTransparentOnes) {
    for (int variant : {1, 3, 5, 6, 12}) {
        canvas.Fill(kBackground);
        DrawTintedFrame(canvas.Dc(), strip, 1, variant, 3, 2);
        const uint32_t tinted = TintPixel(PremultiplyPixel(StripPixel(16, 0)), variant);
        EXPECT_EQ(canvas.Pixel(3, 2), tinted & 0xFFFFFF) << variant;
        EXPECT_NE(canvas.Pixel(3, 2), StripPixel(16, 0) & 0xFFFFFF) << variant;
        EXPECT_EQ(canvas.Pixel(4, 2), kBackground) << "transparent pixel painted, variant " << variant;
        EXPECT_EQ(canvas.Pixel(19, 2), kBackground) << "drew past the frame";
    }
}

}  // namespace
