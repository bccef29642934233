// The system view of the real program: a tile opens it on its node, it keeps that node
// through changes that keep the device, resizes by its grip alone, and its placement and
// maximized state outlive the run.
#include <gtest/gtest.h>
#include "tests/e2e/QuorvaneRun.h"
#include "tests/support/Capture.h"
#include "tests/support/Input.h"
#include "tests/support/TopWindows.h"

namespace {

using e2e::QuorvaneRun;
using e2e::Rect;
constexpr DWORD kTimeoutMs = 30000;

class SystemView : public e2e::SmallRunTest {
protected:
    // Where the computer has its "About Quorvane" button and a device has none.
    static std::vector<uint32_t> AboutButton(HWND frame) {
        const RECT f = Rect(frame);
        return e2e::CaptureScreen({f.left + 330, f.top + 66, f.left + 440, f.top + 86}).pixels;
    }
    static int SplitPosition(HWND frame) { return e2e::SystemViewSplit(frame); }
    // Whether a point of the window (window coordinates) lies inside its outline.
    static bool Inside(HWND window, int x, int y) {
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        const bool inside = GetWindowRgn(window, region) != ERROR && PtInRegion(region, x, y);
        DeleteObject(region);
        return inside;
    }
    static void DragSplitTo(HWND frame, int position) {
        const RECT f = Rect(frame);
        const int bar = f.top + 24 + SplitPosition(frame) + 2;
        e2e::DragFromTo(f.left + 300, bar, f.left + 300, bar + position - SplitPosition(frame));
        e2e::MoveMouseTo(1200, 1000);
    }
    // The program paints the drag's end a moment after the input: the bar where expected
    // once the screen shows it, within a bound.
    static bool SplitReaches(HWND frame, int expected) {
        return e2e::WaitUntil([&] { return SplitPosition(frame) == expected; }, 5000);
    }
    // Pixels of the selected path's orange in the tree below the bar.
    static int OrangeInTree(HWND frame) {
        const e2e::Image shown = e2e::CaptureWindow(frame);
        int count = 0;
        for (int y = 24 + SplitPosition(frame) + 5; y < shown.height - 24; ++y)
            for (int x = 24; x < shown.width - 24; ++x) {
                const COLORREF c = shown.ColorAt(x, y);
                count += GetRValue(c) > 200 && GetGValue(c) > 60 && GetGValue(c) < 180 && GetBValue(c) < 90;
            }
        return count;
    }
};

TEST_F(SystemView, ItKeepsTheShownDeviceWhileItStaysAndFallsBackToTheComputer) {
    HWND frame = OpenFromTile(0);
    ASSERT_NE(frame, nullptr) << "no system view";
    // The frame may not have painted its first picture yet.
    int compact = -1;
    e2e::WaitUntil([&] { return (compact = SplitPosition(frame)) > 0; }, 5000);
    const std::vector<uint32_t> computer = AboutButton(frame);

    // The bar starts at the pane's compact height A; just below it, it snaps short of the
    // full height B; between B + 60 and B + 130 to B + 130, where the lists show.
    ASSERT_GT(compact, 35);
    DragSplitTo(frame, compact + 1);
    int full = compact;
    e2e::WaitUntil([&] { return (full = SplitPosition(frame) + 15) > compact + 15; }, 5000);
    EXPECT_GT(full, compact + 15) << "the bar did not snap to the full pane";
    DragSplitTo(frame, full + 100);
    EXPECT_TRUE(SplitReaches(frame, full + 130)) << SplitPosition(frame);
    e2e::SaveScreenshot(e2e::CaptureWindow(frame), "system-view-computer");

    // The bench hub's toggle in the list (its second entry, under the lists' top B) folds
    // its branch; with the bar up at 40 (which snaps to 35) the tree shows nothing orange.
    const RECT f = Rect(frame);
    e2e::ClickAt(f.left + 24 + 10 + 10 + 27, f.top + 24 + full + 52 + 24);
    DragSplitTo(frame, 40);
    EXPECT_TRUE(SplitReaches(frame, 35)) << SplitPosition(frame);
    EXPECT_LT(OrangeInTree(frame), 10);
    e2e::SaveScreenshot(e2e::CaptureWindow(frame), "system-view-collapsed");
    // The disk below the folded hub, chosen from its tile: unfolded, and its path orange.
    OpenFromTile(2);
    EXPECT_GT(OrangeInTree(frame), 100) << "the disk below the folded hub is not shown selected";
    DragSplitTo(frame, compact);
    ASSERT_TRUE(SplitReaches(frame, compact)) << SplitPosition(frame);

    EXPECT_EQ(OpenFromTile(1), frame) << "a second frame opened";
    // A bar snapped to the compact pane follows the pane's height: when a refresh makes the
    // keyboard's texts longer, and when another node is chosen.
    ASSERT_TRUE(run.Change("severity keys 1 A note long enough to need three or four lines of the pane, so that it grows"));
    int followed = compact;  // the screen may show the refresh a moment after the change
    e2e::WaitUntil([&] { return (followed = SplitPosition(frame)) != compact; }, 5000);
    DragSplitTo(frame, 52);
    EXPECT_GT(SplitPosition(frame), compact) << "the longer texts did not make the pane taller";
    EXPECT_EQ(followed, SplitPosition(frame)) << "the bar stayed where the pane ended before the refresh";
    OpenFromTile(0);
    EXPECT_TRUE(e2e::WaitUntil([&] { return SplitPosition(frame) == compact; }, 5000))
        << "the bar stayed where the keyboard's pane ended";
    OpenFromTile(1);
    e2e::SaveScreenshot(e2e::CaptureWindow(frame), "system-view-device");
    ASSERT_NE(AboutButton(frame), computer) << "the keyboard is shown like the computer";
    const struct {
        const char* command;
        bool computerShown;
    } steps[] = {
        {"severity keys 1 Note", false},  // a status change keeps the keyboard
        {"unplug keys", true},            // gone: the computer
        {"plug keys", true},
    };
    for (const auto& step : steps) {
        ASSERT_TRUE(run.Change(step.command)) << step.command;
        // The screen may show the change a moment after the program has made it.
        EXPECT_TRUE(e2e::WaitUntil([&] { return (AboutButton(frame) == computer) == step.computerShown; }, kTimeoutMs))
            << step.command;
    }
    OpenFromTile(1);
    ASSERT_TRUE(run.Change("change 2"));  // a change of any other kind shows the computer
    EXPECT_TRUE(e2e::WaitUntil([&] { return AboutButton(frame) == computer; }, kTimeoutMs));

    // A second copy brings the frame back before it ends.
    ShowWindow(frame, SW_HIDE);
    QuorvaneRun second;
    ASSERT_TRUE(second.Program().WaitForExit(kTimeoutMs));
    EXPECT_TRUE(IsWindowVisible(frame));
}

TEST_F(SystemView, TheGripResizesMaximizingSticksAndThePlacementIsStored) {
    HWND frame = OpenFromTile(1);
    ASSERT_NE(frame, nullptr);
    RECT r = Rect(frame);
    EXPECT_EQ(r.left, 150);  // where a first run puts it
    EXPECT_EQ(r.top, 30);
    EXPECT_EQ(r.right - r.left, 600);
    EXPECT_EQ(r.bottom - r.top, 480);

    // Pressed on the bottom edge near the grip's inner end, so a narrower grip misses it.
    e2e::DragFromTo(r.right - 37, r.bottom - 8, r.right + 13, r.bottom + 32);
    // Sized, not moved: a press outside the grip drags the whole frame along.
    EXPECT_TRUE(e2e::WaitUntil([&] { return Rect(frame).right == r.right + 50; }, kTimeoutMs));
    EXPECT_EQ(Rect(frame).bottom, r.bottom + 40);
    EXPECT_EQ(Rect(frame).left, r.left);
    // The outline follows the size: its corners cut, the edges between them whole.
    const int w = Rect(frame).right - Rect(frame).left, h = Rect(frame).bottom - Rect(frame).top;
    for (const POINT corner : {POINT{0, 0}, POINT{w - 1, 0}, POINT{0, h - 1}, POINT{w - 1, h - 1}})
        EXPECT_FALSE(Inside(frame, corner.x, corner.y)) << corner.x << "," << corner.y;
    EXPECT_TRUE(Inside(frame, w / 2, 0) && Inside(frame, 0, h / 2) && Inside(frame, w - 30, h - 30));
    e2e::DragFromTo(r.right + 13, r.bottom + 32, r.right - 200, r.bottom - 200);
    EXPECT_EQ(Rect(frame).right - Rect(frame).left, 600) << "shrunk below the smallest size";
    r = Rect(frame);

    // Maximized, closed by its button and opened again: maximized still.
    e2e::ClickAt(r.right - 70 + 8, r.top + 6 + 5);
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_TRUE(e2e::WaitUntil([&] { return Rect(frame).left == work.left + 1; }, kTimeoutMs));
    EXPECT_EQ(Rect(frame).bottom, work.bottom - 1);
    e2e::ClickAt(Rect(frame).right - 50 + 8, Rect(frame).top + 6 + 5);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindow(frame); }, kTimeoutMs)) << "the close button did not close it";
    frame = OpenFromTile(1);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(Rect(frame).left, work.left + 1);
    // Restored: back to the last normal rectangle.
    e2e::ClickAt(work.right - 1 - 70 + 8, work.top + 1 + 6 + 5);
    EXPECT_TRUE(e2e::WaitUntil([&] { return Rect(frame).left == r.left; }, kTimeoutMs));
    EXPECT_EQ(Rect(frame).bottom, r.bottom);
    e2e::ClickAt(r.right - 70 + 8, r.top + 6 + 5);
    ASSERT_TRUE(e2e::WaitUntil([&] { return Rect(frame).left == work.left + 1; }, kTimeoutMs));

    SendMessageTimeoutA(e2e::ApplicationWindow(run), WM_QUIT, 0, 0, SMTO_NORMAL, kTimeoutMs, nullptr);
    ASSERT_TRUE(run.Program().WaitForExit(kTimeoutMs));
    EXPECT_EQ(settings.Get("DetailFrame.maximized"), 1u);
    EXPECT_EQ(settings.Get("DetailFrame.left"), 150u) << "the last normal place was not kept";
    EXPECT_EQ(settings.Get("DetailFrame.right"), 750u);
}

}  // namespace
