// Image helpers, skin effects, corner shades and tints drawn and read back; memory DCs; the surface.
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include "TestArt.h"
#include "graphics/CornerMask.h"
#include "graphics/DisplayChecks.h"
#include "graphics/IconTint.h"
#include "graphics/ImageHelpers.h"
#include "graphics/ScaledDC.h"
#include "graphics/SkinEffects.h"
#include "graphics/Surface.h"

namespace {

constexpr uint32_t kBackground = 0x00102030, kInk = 0x004080C0;

// Which of the points have ink after draw(dc, image) with an opaque image of the size given.
std::string Ink(SIZE size, const std::function<void(HDC, HBITMAP)>& draw, std::initializer_list<POINT> points) {
    void* bits = nullptr;
    const Bitmap image(CreateDib(nullptr, size.cx, size.cy, 32, DibOrder::TopDown, &bits));
    if (bits) std::fill_n(static_cast<uint32_t*>(bits), size.cx * size.cy, 0xFF000000 | kInk);
    TestCanvas canvas(128, 128, kBackground);
    draw(canvas.Dc(), image.Get());
    std::string marks;
    for (POINT p : points) marks += canvas.Pixel(p.x, p.y) == kInk ? '1' : '0';
    return marks;
}

TEST(ImageHelpers, OnAScaledDcAPictureLandsOnThePixelsItsRectCoversAtTheScale) {
    // 192 DPI: the rect (10, 10) 4 x 3 covers pixels 20..27 by 20..25, also below a moved origin.
    const auto scaled = [](POINT origin, auto draw) {
        return [origin, draw](HDC d, HBITMAP b) {
            ApplyScale(d, Scale{192});
            SetPaintOrigin(d, origin);
            draw(d, b);
        };
    };
    const std::initializer_list<POINT> corners{{20, 20}, {27, 25}, {28, 25}, {27, 26}, {19, 20}};
    EXPECT_EQ(Ink({10, 10}, scaled({0, 0}, [](HDC d, HBITMAP b) { BlendImagePart(d, b, 10, 10, 4, 3); }), corners), "11000");
    EXPECT_EQ(Ink({10, 10}, scaled({-4, -4}, [](HDC d, HBITMAP b) { BlitImagePart(d, b, 6, 6, 4, 3, 0, 0); }), corners),
              "11000");
    // 144 DPI: the rule rounds halves up, so 4 x 3 at (3, 3) covers 5..10 by 5..8.
    EXPECT_EQ(Ink({10, 10}, [](HDC d, HBITMAP b) { ApplyScale(d, Scale{144}); BlendImagePart(d, b, 3, 3, 4, 3); },
                  {{5, 5}, {10, 8}, {11, 8}, {10, 9}, {4, 5}}),
              "11000");
}

TEST(ImageHelpers, TileBlendAndBlitCoverExactlyTheirPixels) {
    // Tiles run up to the end pixel itself, the last copy cut; a copy ending on the end is whole.
    EXPECT_EQ(Ink({40, 40}, [](auto d, auto b) { TileHorizontal(d, b, 60, 0, 110); },
                    {{59, 5}, {60, 5}, {110, 5}, {111, 5}, {100, 40}}), "01100");
    EXPECT_EQ(Ink({40, 40}, [](auto d, auto b) { TileHorizontal(d, b, 60, 0, 100); }, {{99, 5}, {100, 5}}), "10");
    EXPECT_EQ(Ink({40, 40}, [](auto d, auto b) { TileVertical(d, b, 0, 20, 90); },
                    {{5, 19}, {5, 20}, {5, 90}, {5, 91}, {40, 30}}), "01100");
    EXPECT_EQ(Ink({0, 0}, [](auto d, auto b) { TileHorizontal(d, b, 0, 0, 100); }, {{0, 0}}), "0") << "no hang";
    EXPECT_EQ(Ink({10, 10}, [](auto d, auto b) { BlendImagePart(d, b, 0, 0, 4, 3); }, {{3, 2}, {4, 2}, {3, 3}}), "100");
    EXPECT_EQ(Ink({10, 10}, [](auto d, auto b) { BlendImage(d, b, 20, 20); }, {{20, 20}, {29, 29}, {30, 30}}), "110");
    EXPECT_EQ(Ink({10, 10}, [](auto d, auto b) { BlitImage(d, b, 20, 20); }, {{20, 20}, {29, 29}, {30, 30}}), "110");
    // The background covers its rect with whole tiles, the last row and column not cut.
    EXPECT_EQ(Ink({16, 16}, [](auto d, auto b) { TileBackground(d, b, {4, 4, 20, 20}); }, {{3, 3}, {35, 35}, {36, 36}}),
              "010");
}

// The masks are bottom-up: the first is darkest at its top-left, the second at its bottom-right,
// falling from alpha 102 at the corner to 0 at distance 64.
TEST(CornerMask, AlphaFallsWithTheDistanceFromTheMasksCorner) {
    const std::tuple<CornerMask, int, int, int> cases[] = {
        {CornerMask::First, 0, 63, 100},  {CornerMask::First, 0, 32, 50}, {CornerMask::First, 63, 0, 0},
        {CornerMask::Second, 63, 0, 100}, {CornerMask::Second, 0, 63, 0},
    };
    for (const auto& [mask, col, row, alpha] : cases)
        EXPECT_EQ(CornerMaskAlpha(mask, col, row), alpha) << col << "," << row;
}

// On white, about 40 % darker at the mask's corner and untouched outside the rect.
TEST(DrawCornerShade, DarkensTowardsTheMasksCornerInsideTheRect) {
    TestCanvas canvas(300, 100, 0xFFFFFF);
    auto grey = [&](int x, int y) { return int(canvas.Pixel(x, y) & 0xFF); };
    DrawCornerShade(canvas.Dc(), {0, 0, 128, 64});
    EXPECT_NEAR(grey(0, 0), 155, 10);
    EXPECT_EQ(grey(127, 63) + grey(128, 0), 2 * 255);
    canvas.Fill(0xFFFFFF);
    DrawCornerShade(canvas.Dc(), {300, 100, -200, -64});  // the second mask, left of and above (300, 100)
    EXPECT_NEAR(grey(299, 99), 155, 10);
    EXPECT_EQ(grey(100, 36) + grey(99, 99) + grey(299, 35), 3 * 255);
}

// Colour bytes in memory order: the first (blue) byte is read as r.
constexpr uint32_t Bytes(uint32_t alpha, uint32_t first, uint32_t second, uint32_t third) {
    return alpha << 24 | third << 16 | second << 8 | first;
}

TEST(TintPixel, TurnsTheHueBySixtyDegreesAVariantAndDesaturates) {
    const uint32_t red = Bytes(255, 255, 0, 0);
    const uint32_t cases[][3] = {
        {red, 1, Bytes(255, 255, 255, 178)},                      // hue 60
        {red, 3, Bytes(255, 178, 255, 255)},                      // 180
        {red, 9, Bytes(255, 255, 178, 178)},                      // hue kept, only desaturated
        {Bytes(255, 128, 128, 128), 6, Bytes(255, 128, 89, 89)},  // greys get a tint
        {Bytes(128, 120, 30, 77), 6, Bytes(128, 120, 84, 102)},   // alpha and value kept
    };
    for (const auto& c : cases) EXPECT_EQ(TintPixel(c[0], int(c[1])), c[2]) << std::hex << c[0] << " " << c[1];
    uint32_t pixels[3] = {red, red, red};
    TintPixels(pixels, 2, 1, 3, 9);
    EXPECT_EQ(pixels[1], Bytes(255, 255, 178, 178));
    EXPECT_EQ(pixels[2], red) << "tinted past the width";
}

TEST(DrawTintedFrame, TintsOpaquePixelsKeepsTransparentOnesAndVariantZeroDrawsAsItIs) {
    SkinStrip strip;
    strip.Load(16, kStripTga);
    TestCanvas canvas(32, 8, kBackground);
    // Frame 1's first pixel: hue 244.8, kept or turned by 300 past 360, at saturation 0.3.
    for (auto [variant, colour] : {std::pair{0, StripPixel(16, 0) & 0xFFFFFF}, {6, 0xC88B90u}, {5, 0xC8C38Bu}}) {
        DrawTintedFrame(canvas.Dc(), strip, 1, variant, 3, 2);
        EXPECT_EQ(canvas.Pixel(3, 2), colour) << variant;
        EXPECT_EQ(canvas.Pixel(4, 2), kBackground) << "transparent pixel painted, variant " << variant;
        EXPECT_EQ(canvas.Pixel(19, 2), kBackground) << "drew past the frame, variant " << variant;
    }
}

HGDIOBJ Selected(HDC dc) { return GetCurrentObject(dc, OBJ_BITMAP); }

TEST(MemoryDCs, PutBackWhatWasSelectedFirstSoBitmapsCanBeUsedElsewhere) {
    const Bitmap a(CreateBitmap(4, 4, 1, 32, nullptr)), b(CreateBitmap(4, 4, 1, 32, nullptr));
    {
        MemoryDC memory;
        const HGDIOBJ original = Selected(memory.GetDC());
        memory.Select(a.Get()), memory.Select(b.Get()), memory.Restore();
        EXPECT_EQ(Selected(memory.GetDC()), original);
        memory.Select(b.Get());
    }
    HDC dcs[2];
    for (int i = 0; i < 20; ++i) {  // nested scopes get two DCs, and the pool makes no more
        const MemoryDC first(a.Get()), nested(b.Get());
        if (i == 0) dcs[0] = first.GetDC(), dcs[1] = nested.GetDC();
        ASSERT_NE(first.GetDC(), nested.GetDC());
        for (HDC dc : {first.GetDC(), nested.GetDC()}) ASSERT_TRUE(dc == dcs[0] || dc == dcs[1]);
    }
    const MemoryDC elsewhere(a.Get()), other(b.Get());
    EXPECT_EQ(Selected(elsewhere.GetDC()), a.Get()) << "the pool kept the bitmap";
    EXPECT_EQ(Selected(other.GetDC()), b.Get()) << "a deleted memory DC kept the bitmap";
}

// Both kinds of surface bitmap, a DIB section and the compatible bitmap of Windows 98.
class SurfaceTest : public testing::TestWithParam<bool> {
protected:
    void SetUp() override { SetWindows98Flag(GetParam()); }
    void TearDown() override { SetWindows98Flag(false), DestroyWindow(window); }
    void Resize(int width, int height) { SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE); }
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 40, 30, nullptr, nullptr, nullptr, nullptr);
    TestCanvas target{100, 80, 0x000000FF};  // blue
};

TEST_P(SurfaceTest, PaintsOffScreenOnWhiteUntilEndAndKeepsTheLargerBitmapWhenTheWindowShrinks) {
    Surface surface(window);
    HDC dc = surface.Begin(target.Dc());
    ASSERT_NE(dc, target.Dc());
    const RECT red{5, 5, 15, 15};
    FillRect(dc, &red, Brush(CreateSolidBrush(RGB(255, 0, 0))).Get());
    EXPECT_EQ(target.Pixel(10, 10), 0x0000FFu) << "reached the target before End";
    surface.End();
    EXPECT_EQ(target.Pixel(10, 10), 0xFF0000u);
    EXPECT_EQ(target.Pixel(4, 10), 0xFFFFFFu) << "copied from a pixel beside the area";
    EXPECT_NE(target.Pixel(39, 10), 0x0000FFu) << "the window's last column not copied";
    EXPECT_NE(target.Pixel(10, 29), 0x0000FFu) << "the window's last row not copied";
    EXPECT_EQ(target.Pixel(40, 10), 0x0000FFu) << "copied wider than the window";
    Resize(20, 10);
    surface.Begin(target.Dc()), surface.End();
    EXPECT_EQ(target.Pixel(30, 25), 0xFFFFFFu) << "not cleared to white, or not the whole allocated area";
    Resize(60, 20);
    surface.Begin(target.Dc());
    EXPECT_EQ(surface.AllocatedWidth(), 60);
    EXPECT_EQ(surface.AllocatedHeight(), 30) << "growing one side shrank the other";
    Resize(0, 30);
    EXPECT_EQ(Surface(window).Begin(target.Dc()), target.Dc()) << "a window of no area paints straight on";
}

INSTANTIATE_TEST_SUITE_P(BitmapKinds, SurfaceTest, testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Windows98" : "DibSection"; });

}  // namespace
