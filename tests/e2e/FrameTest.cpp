// The skinned frame window under real input: its shape, moving, resizing, closing, and
// the blocked state, on the frame demo program.
#include <gtest/gtest.h>

#include <string>

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
    void TearDown() override {
        if (window && IsWindow(window)) e2e::SaveScreenshot(e2e::CaptureWindow(window), "frame-demo");
    }
};

TEST_F(FrameDemo, OutlineHasTheCornerCutOuts) {
    Start();
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(window, region), ERROR) << "the window has no shape";
    RECT r = Rect();
    const int w = r.right - r.left, h = r.bottom - r.top;
    struct Case {
        int x, y;
        bool inside;
    } cases[] = {{0, 0, false},         {w - 1, 0, false},     {0, h - 1, false},  {w - 1, h - 1, false},
                 {w / 2, h / 2, true},  {w / 2, 0, true},      {0, h / 2, true},   {w - 1, h / 2, true},
                 {44, 44, true},        {w - 46, h - 46, true}};
    for (const Case& c : cases) EXPECT_EQ(PtInRegion(region, c.x, c.y) != 0, c.inside) << c.x << "," << c.y;
    DeleteObject(region);
}

TEST_F(FrameDemo, ChromeMovesAndTheGripResizes) {
    Start();
    RECT before = Rect();
    // A press on the chrome's free area near the title moves the window.
    e2e::DragFromTo(before.left + 300, before.top + 20, before.left + 340, before.top + 50);
    ASSERT_TRUE(e2e::WaitUntil([&] { return Rect().left == before.left + 40; }, kTimeoutMs))
        << "the window did not move: left " << Rect().left;
    RECT moved = Rect();
    EXPECT_EQ(moved.top, before.top + 30);
    EXPECT_EQ(moved.right - moved.left, before.right - before.left) << "a move changed the size";

    // A press in the bottom-right grip (inside the rounded corner) resizes it.
    e2e::DragFromTo(moved.right - 25, moved.bottom - 25, moved.right + 35, moved.bottom + 5);
    ASSERT_TRUE(e2e::WaitUntil([&] { return Rect().right == moved.right + 60; }, kTimeoutMs))
        << "the grip did not resize: right " << Rect().right;
    RECT resized = Rect();
    EXPECT_EQ(resized.bottom, moved.bottom + 30);
    EXPECT_EQ(resized.left, moved.left) << "a resize moved the window";

    // The new outline follows the new size: the bottom-right corner is cut again.
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    GetWindowRgn(window, region);
    EXPECT_FALSE(PtInRegion(region, resized.right - resized.left - 1, resized.bottom - resized.top - 1));
    EXPECT_TRUE(PtInRegion(region, resized.right - resized.left - 30, resized.bottom - resized.top - 30));
    DeleteObject(region);
}

TEST_F(FrameDemo, ElementsInsideTheFrameTakeRealClicks) {
    Start();
    RECT r = Rect();
    // The demo panel sits at (30, 40) in the frame; its buttons report in the title.
    struct Case {
        int x, y;
        const char* title;
    } cases[] = {{30 + 20 + 50, 40 + 20 + 10, "Frame demo: 101"},   // text push button
                 {30 + 20 + 25, 40 + 56 + 10, "Frame demo: 102"},   // dialog button
                 {30 + 20 + 8, 40 + 96 + 7, "Frame demo: 104"}};    // check box
    for (const Case& c : cases) {
        e2e::ClickAt(r.left + c.x, r.top + c.y);
        EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::WindowText(window) == c.title; }, kTimeoutMs))
            << "expected " << c.title << ", title is " << e2e::WindowText(window);
    }
}

TEST_F(FrameDemo, CloseButtonEndsTheWindow) {
    Start();
    RECT r = Rect();
    const int w = r.right - r.left;
    e2e::ClickAt(r.left + w - 50 + 8, r.top + 6 + 5);
    DWORD exitCode = 99;
    ASSERT_TRUE(demo.WaitForExit(kTimeoutMs, &exitCode)) << "the close button did not close";
    EXPECT_EQ(exitCode, 0u);
    window = nullptr;
}

TEST_F(FrameDemo, BlockedWindowIgnoresClicks) {
    Start("blocked");
    RECT before = Rect();
    const int w = before.right - before.left;
    e2e::ClickAt(before.left + w - 50 + 8, before.top + 6 + 5);
    e2e::DragFromTo(before.left + 300, before.top + 20, before.left + 340, before.top + 50);
    // Give the window a fair chance to react wrongly, then check it did not.
    EXPECT_FALSE(demo.WaitForExit(1500)) << "a blocked window was closed";
    RECT after = Rect();
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
}

}  // namespace
