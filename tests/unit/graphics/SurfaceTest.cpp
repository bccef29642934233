// Handle owners, the memory DC and the off-screen surface.
#include <gtest/gtest.h>

#include "TestArt.h"
#include "graphics/DisplayChecks.h"
#include "base/HandleOwners.h"
#include "graphics/MemoryDC.h"
#include "graphics/Surface.h"

namespace {

bool Alive(HGDIOBJ object) { return GetObjectType(object) != 0; }

TEST(GdiObject, MovesOwnershipAndFreesOnce) {
    Bitmap first(CreateBitmap(4, 4, 1, 32, nullptr));
    const HBITMAP handle = first.Get();
    Bitmap second(std::move(first));
    EXPECT_FALSE(first);
    EXPECT_EQ(second.Get(), handle);
    Bitmap third;
    third = std::move(second);
    EXPECT_TRUE(Alive(handle));
    third.Reset();
    EXPECT_FALSE(Alive(handle));

    Pen pen(CreatePen(PS_SOLID, 1, 0));
    const HPEN released = pen.Release();
    pen.Reset();
    EXPECT_TRUE(Alive(released)) << "a released handle belongs to its new owner";
    DeleteObject(released);
}

TEST(SelectGuard, PutsThePreviousObjectBack) {
    MemoryDC memory;
    const HGDIOBJ original = GetCurrentObject(memory.GetDC(), OBJ_PEN);
    Pen pen(CreatePen(PS_SOLID, 1, RGB(255, 0, 0)));
    {
        SelectGuard guard(memory.GetDC(), pen.Get());
        EXPECT_EQ(GetCurrentObject(memory.GetDC(), OBJ_PEN), pen.Get());
    }
    EXPECT_EQ(GetCurrentObject(memory.GetDC(), OBJ_PEN), original);
}

TEST(MemoryDC, LetsGoOfItsBitmapSoItCanBeUsedElsewhere) {
    Bitmap bitmap(CreateBitmap(4, 4, 1, 32, nullptr));
    {
        MemoryDC memory(bitmap.Get());
        EXPECT_EQ(GetCurrentObject(memory.GetDC(), OBJ_BITMAP), bitmap.Get());
    }
    MemoryDC other(bitmap.Get());
    EXPECT_EQ(GetCurrentObject(other.GetDC(), OBJ_BITMAP), bitmap.Get())
        << "bitmap still held by a deleted memory DC";
}

TEST(MemoryDC, RestoresTheObjectFromBeforeTheFirstSelection) {
    MemoryDC memory;
    const HGDIOBJ original = GetCurrentObject(memory.GetDC(), OBJ_BITMAP);
    Bitmap a(CreateBitmap(4, 4, 1, 32, nullptr));
    Bitmap b(CreateBitmap(4, 4, 1, 32, nullptr));
    memory.Select(a.Get());
    memory.Select(b.Get());
    memory.Restore();
    EXPECT_EQ(GetCurrentObject(memory.GetDC(), OBJ_BITMAP), original);
    memory.Restore();  // nothing remembered: no change
    EXPECT_EQ(GetCurrentObject(memory.GetDC(), OBJ_BITMAP), original);
}

TEST(MemoryDCPool, ReusesItsDCsAndFreesTheBitmapAfterEachScope) {
    Bitmap a(CreateBitmap(4, 4, 1, 32, nullptr));
    Bitmap b(CreateBitmap(4, 4, 1, 32, nullptr));
    HDC outer, inner;
    {
        MemoryDC first(a.Get());
        MemoryDC nested(b.Get());
        outer = first.GetDC();
        inner = nested.GetDC();
        EXPECT_NE(inner, outer) << "nested scopes share a DC";
        EXPECT_EQ(GetCurrentObject(outer, OBJ_BITMAP), a.Get());
    }
    // Drawing keeps taking DCs; none may be made beyond the two the deepest nesting needed.
    for (int i = 0; i < 100; ++i) {
        MemoryDC first(a.Get());
        MemoryDC nested(b.Get());
        ASSERT_TRUE(first.GetDC() == outer || first.GetDC() == inner);
        ASSERT_TRUE(nested.GetDC() == outer || nested.GetDC() == inner);
    }
    MemoryDC elsewhere(a.Get());
    EXPECT_EQ(GetCurrentObject(elsewhere.GetDC(), OBJ_BITMAP), a.Get()) << "pool kept the bitmap";
}

// Both kinds of surface bitmap: a DIB section, and the compatible bitmap of Windows 98.
class SurfaceTest : public testing::TestWithParam<bool> {
protected:
    void SetUp() override { SetWindows98Flag(GetParam()); }
    void TearDown() override { SetWindows98Flag(false); }
    TestCanvas screen{100, 80, 0x000000FF};
};

TEST_P(SurfaceTest, ZeroSizedWindowPaintsStraightToTheTarget) {
    for (SIZE size : {SIZE{0, 30}, SIZE{40, 0}}) {
        TestWindow window(size.cx, size.cy);
        Surface surface(window.Handle());
        EXPECT_EQ(surface.Begin(screen.Dc()), screen.Dc());
        surface.End();
        EXPECT_EQ(screen.Pixel(1, 1), 0x0000FFu) << "End copied from an empty surface";
    }
    Surface windowless;
    EXPECT_EQ(windowless.Begin(screen.Dc()), screen.Dc());
}

TEST_P(SurfaceTest, PaintsOffScreenUntilEnd) {
    TestWindow window(40, 30);
    Surface surface(window.Handle());
    HDC dc = surface.Begin(screen.Dc());
    ASSERT_NE(dc, screen.Dc());
    EXPECT_EQ(GetPixel(dc, 10, 10), RGB(255, 255, 255)) << "not cleared to white";
    RECT red{5, 5, 15, 15};
    Brush brush(CreateSolidBrush(RGB(255, 0, 0)));
    FillRect(dc, &red, brush.Get());
    EXPECT_EQ(screen.Pixel(10, 10), 0x0000FFu) << "reached the target before End";
    surface.End();
    EXPECT_EQ(screen.Pixel(10, 10), 0xFF0000u);
    EXPECT_EQ(screen.Pixel(20, 20), 0xFFFFFFu);
    EXPECT_EQ(screen.Pixel(45, 10), 0x0000FFu) << "copied wider than the window";
}

TEST_P(SurfaceTest, KeepsTheLargerBitmapWhenTheWindowShrinks) {
    TestWindow window(40, 30);
    Surface surface(window.Handle());
    surface.Begin(screen.Dc());
    surface.End();
    window.Resize(20, 10);
    surface.Begin(screen.Dc());
    EXPECT_EQ(surface.AllocatedWidth(), 40);
    EXPECT_EQ(surface.AllocatedHeight(), 30);
    screen.Fill(0x0000FF);
    surface.End();
    EXPECT_EQ(screen.Pixel(30, 25), 0xFFFFFFu) << "End copies the whole allocated area";

    window.Resize(60, 20);
    surface.Begin(screen.Dc());
    EXPECT_EQ(surface.AllocatedWidth(), 60);
    EXPECT_EQ(surface.AllocatedHeight(), 30) << "growing one side shrank the other";
}

INSTANTIATE_TEST_SUITE_P(BitmapKinds, SurfaceTest, testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Windows98" : "DibSection"; });

}  // namespace
