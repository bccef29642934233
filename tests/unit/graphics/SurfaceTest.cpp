// The pooled memory DCs and the off-screen surface.
#include <gtest/gtest.h>

#include "TestArt.h"
#include "graphics/DisplayChecks.h"
#include "graphics/MemoryDC.h"
#include "graphics/Surface.h"

namespace {

HGDIOBJ Selected(HDC dc) { return GetCurrentObject(dc, OBJ_BITMAP); }

TEST(MemoryDCs, PutBackWhatWasSelectedFirstSoBitmapsCanBeUsedElsewhere) {
    const Bitmap a(CreateBitmap(4, 4, 1, 32, nullptr)), b(CreateBitmap(4, 4, 1, 32, nullptr));
    {
        MemoryDC memory;
        const HGDIOBJ original = Selected(memory.GetDC());
        memory.Select(a.Get());
        memory.Select(b.Get());
        memory.Restore();
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
    EXPECT_EQ(target.Pixel(45, 10), 0x0000FFu) << "copied wider than the window";
    Resize(20, 10);
    surface.Begin(target.Dc());
    surface.End();
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
