// The system view of the real program: a tile opens it on its node, it keeps that node
// through changes that keep the device, resizes by its grip alone, and its placement and
// maximized state outlive the run.
#include <gtest/gtest.h>

#include <functional>

#include "tests/e2e/QuorvaneRun.h"
#include "tests/e2e/driver/Capture.h"
#include "tests/e2e/driver/Input.h"
#include "tests/e2e/driver/LinsettControl.h"
#include "tests/e2e/driver/TopWindows.h"

namespace {

using e2e::QuorvaneRun;
constexpr DWORD kTimeoutMs = 30000;

RECT Rect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

class SystemView : public ::testing::Test {
protected:
    void SetUp() override {
        settings.PlaceMonitor(820, 150, 4);
        monitor = e2e::WaitForMonitor(run, kTimeoutMs);
        ASSERT_NE(monitor, nullptr);
    }
    // Row 0 the computer, row 1 the first device in the monitoring order.
    HWND OpenFromTile(int row) {
        const RECT m = Rect(monitor);
        e2e::ClickAt(m.left + 90, m.top + 18 + 29 * row + 14);
        HWND frame = e2e::WaitForWindow("ElxWnd", "Quorvane", run.Id(), kTimeoutMs);
        e2e::MoveMouseTo(1200, 1000);
        return frame;
    }
    // Where the computer has its "About Quorvane" button and a device has none.
    static std::vector<uint32_t> AboutButton(HWND frame) {
        const RECT f = Rect(frame);
        const e2e::Image shown = e2e::CaptureScreen({f.left + 330, f.top + 66, f.left + 440, f.top + 86});
        return shown.pixels;
    }
    bool Change(const char* command) {
        const int rebuilds = run.Rebuilds();
        return e2e::SendLinsettCommand(run.Id(), command).rfind("ok", 0) == 0 && run.WaitForRebuilds(rebuilds + 1);
    }
    const e2e::InstalledSettings settings;
    QuorvaneRun run{e2e::ShippedScenario("test-small.json")};
    HWND monitor = nullptr;
};

TEST_F(SystemView, ItKeepsTheShownDeviceWhileItStaysAndFallsBackToTheComputer) {
    HWND frame = OpenFromTile(0);
    ASSERT_NE(frame, nullptr) << "no system view";
    const std::vector<uint32_t> computer = AboutButton(frame);
    // The split bar (just below the compact pane) dragged down opens the pane's lists.
    const RECT f = Rect(frame);
    e2e::DragFromTo(f.left + 300, f.top + 24 + 67, f.left + 300, f.top + 330);
    e2e::MoveMouseTo(1200, 1000);
    e2e::SaveScreenshot(e2e::CaptureWindow(frame), "system-view-computer");

    EXPECT_EQ(OpenFromTile(1), frame) << "a second frame opened";
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
        ASSERT_TRUE(Change(step.command)) << step.command;
        EXPECT_EQ(AboutButton(frame) == computer, step.computerShown) << step.command;
    }
    OpenFromTile(1);
    ASSERT_TRUE(Change("change 2"));  // a change of any other kind shows the computer
    EXPECT_EQ(AboutButton(frame), computer);
}

TEST_F(SystemView, TheGripResizesMaximizingSticksAndThePlacementIsStored) {
    HWND frame = OpenFromTile(1);
    ASSERT_NE(frame, nullptr);
    RECT r = Rect(frame);
    EXPECT_EQ(r.left, 150);  // where a first run puts it
    EXPECT_EQ(r.top, 30);
    EXPECT_EQ(r.right - r.left, 600);
    EXPECT_EQ(r.bottom - r.top, 480);

    e2e::DragFromTo(r.right - 12, r.bottom - 12, r.right + 38, r.bottom + 28);
    EXPECT_TRUE(e2e::WaitUntil([&] { return Rect(frame).right == r.right + 50; }, kTimeoutMs));
    EXPECT_EQ(Rect(frame).bottom, r.bottom + 40);
    e2e::DragFromTo(r.right + 38, r.bottom + 28, r.right - 200, r.bottom - 200);
    EXPECT_EQ(Rect(frame).right - Rect(frame).left, 600) << "shrunk below the smallest size";
    r = Rect(frame);

    // Maximized, closed and opened again: maximized still.
    e2e::ClickAt(r.right - 70 + 8, r.top + 6 + 5);
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_TRUE(e2e::WaitUntil([&] { return Rect(frame).left == work.left + 1; }, kTimeoutMs));
    EXPECT_EQ(Rect(frame).bottom, work.bottom - 1);
    PostMessageA(frame, WM_CLOSE, 0, 0);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindow(frame); }, kTimeoutMs));
    frame = OpenFromTile(1);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(Rect(frame).left, work.left + 1);

    SendMessageTimeoutA(monitor, WM_QUIT, 0, 0, SMTO_NORMAL, kTimeoutMs, nullptr);
    ASSERT_TRUE(run.Program().WaitForExit(kTimeoutMs));
    EXPECT_EQ(settings.Get("DetailFrame.maximized"), 1u);
    EXPECT_EQ(settings.Get("DetailFrame.left"), 150u) << "the last normal place was not kept";
    EXPECT_EQ(settings.Get("DetailFrame.right"), 750u);
}

}  // namespace
