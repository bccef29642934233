// The skinned frame window under real input: its outline, moving, resizing, closing, and
// the blocked state, on the frame demo program.
#include <gtest/gtest.h>

#include "tests/e2e/driver/Capture.h"
#include "tests/e2e/driver/Input.h"
#include "tests/e2e/driver/Paths.h"
#include "tests/e2e/driver/Process.h"
#include "tests/e2e/driver/TopWindows.h"

namespace {

constexpr DWORD kTimeoutMs = 20000;

class FrameDemo : public ::testing::Test {
protected:
    e2e::Process demo;
    HWND window = nullptr;

    void Start(const char* arguments = "") {
        demo = e2e::Process::Start("\"" + e2e::BinDir() + "\\frame_demo.exe\" " + arguments);
        ASSERT_TRUE(demo.Started());
        window = e2e::WaitForWindow("ElxWnd", "Frame demo", demo.Id(), kTimeoutMs);
        ASSERT_NE(window, nullptr) << "the demo frame did not appear";
    }
    RECT Rect() const {
        RECT r{};
        GetWindowRect(window, &r);
        return r;
    }
    // Whether a point of the window (window coordinates) lies inside its outline.
    bool Inside(int x, int y) const {
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        const bool inside = GetWindowRgn(window, region) != ERROR && PtInRegion(region, x, y);
        DeleteObject(region);
        return inside;
    }
    void TearDown() override {
        if (window && IsWindow(window)) e2e::SaveScreenshot(e2e::CaptureWindow(window), "frame-demo");
    }
};

TEST_F(FrameDemo, OutlineFollowsMovesAndResizesAndTheCloseButtonEndsIt) {
    Start();
    RECT r = Rect();
    int w = r.right - r.left, h = r.bottom - r.top;
    struct Case {
        int x, y;
        bool inside;
    } cases[] = {{0, 0, false},        {w - 1, 0, false}, {0, h - 1, false}, {w - 1, h - 1, false},
                 {w / 2, h / 2, true}, {w / 2, 0, true},  {0, h / 2, true},  {44, 44, true}};
    for (const Case& c : cases) EXPECT_EQ(Inside(c.x, c.y), c.inside) << c.x << "," << c.y;

    // A press on the chrome's free area near the title moves the window, keeping its size.
    e2e::DragFromTo(r.left + 300, r.top + 20, r.left + 340, r.top + 50);
    ASSERT_TRUE(e2e::WaitUntil([&] { return Rect().left == r.left + 40; }, kTimeoutMs)) << "left " << Rect().left;
    RECT moved = Rect();
    EXPECT_EQ(moved.top, r.top + 30);
    EXPECT_EQ(moved.right - moved.left, w) << "a move changed the size";

    // A press in the bottom-right grip (inside the rounded corner) resizes it in place.
    e2e::DragFromTo(moved.right - 25, moved.bottom - 25, moved.right + 35, moved.bottom + 5);
    ASSERT_TRUE(e2e::WaitUntil([&] { return Rect().right == moved.right + 60; }, kTimeoutMs))
        << "right " << Rect().right;
    r = Rect();
    EXPECT_EQ(r.bottom, moved.bottom + 30);
    EXPECT_EQ(r.left, moved.left) << "a resize moved the window";
    w = r.right - r.left, h = r.bottom - r.top;
    EXPECT_FALSE(Inside(w - 1, h - 1)) << "the new corner is not cut";
    EXPECT_TRUE(Inside(w - 30, h - 30));

    e2e::ClickAt(r.right - 50 + 8, r.top + 6 + 5);
    DWORD exitCode = 99;
    ASSERT_TRUE(demo.WaitForExit(kTimeoutMs, &exitCode)) << "the close button did not close";
    EXPECT_EQ(exitCode, 0u);
    window = nullptr;
}

TEST_F(FrameDemo, BlockedWindowIgnoresClicks) {
    Start("blocked");
    RECT before = Rect();
    e2e::ClickAt(before.right - 50 + 8, before.top + 6 + 5);
    e2e::DragFromTo(before.left + 300, before.top + 20, before.left + 340, before.top + 50);
    // Give the window a fair chance to react wrongly, then check it did not.
    EXPECT_FALSE(demo.WaitForExit(1500)) << "a blocked window was closed";
    EXPECT_EQ(Rect().left, before.left);
    EXPECT_EQ(Rect().top, before.top);
}

}  // namespace
