// The system view of the real program: a tile opens it on its node, it survives the
// topology changing under it, and its placement outlives the run.
#include <gtest/gtest.h>

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

TEST(SystemView, ATileOpensItOnItsNodeAndItOutlivesChangesAndTheRun) {
    const e2e::InstalledSettings settings;
    settings.PlaceMonitor(820, 150, 4);
    QuorvaneRun run(e2e::ShippedScenario("test-small.json"));
    HWND monitor = e2e::WaitForMonitor(run, kTimeoutMs);
    ASSERT_NE(monitor, nullptr);
    const RECT m = Rect(monitor);
    auto clickTile = [&](int row) { e2e::ClickAt(m.left + 90, m.top + 18 + 29 * row + 14); };

    // The keyboard's tile: the frame opens where a first run puts it.
    clickTile(1);
    HWND frame = e2e::WaitForWindow("ElxWnd", "Quorvane", run.Id(), kTimeoutMs);
    ASSERT_NE(frame, nullptr) << "no system view";
    const RECT r = Rect(frame);
    EXPECT_EQ(r.left, 150);
    EXPECT_EQ(r.top, 30);
    EXPECT_EQ(r.right - r.left, 600);
    EXPECT_EQ(r.bottom - r.top, 480);
    e2e::MoveMouseTo(1200, 1000);
    e2e::SaveScreenshot(e2e::CaptureWindow(frame), "system-view-device");

    // The computer's tile shows the computer in the same frame.
    clickTile(0);
    EXPECT_EQ(e2e::WaitForWindow("ElxWnd", "Quorvane", run.Id(), kTimeoutMs), frame) << "a second frame opened";
    e2e::MoveMouseTo(1200, 1000);
    // The split bar (just below the compact pane) dragged down opens the pane's lists.
    const RECT f = Rect(frame);
    e2e::DragFromTo(f.left + 300, f.top + 24 + 67, f.left + 300, f.top + 330);
    e2e::MoveMouseTo(1200, 1000);
    e2e::SaveScreenshot(e2e::CaptureWindow(frame), "system-view-computer");

    // The keyboard unplugged while it is shown: the frame stays and shows on.
    clickTile(1);
    int rebuilds = run.Rebuilds();
    EXPECT_EQ(e2e::SendLinsettCommand(run.Id(), "unplug keys").substr(0, 2), "ok");
    ASSERT_TRUE(run.WaitForRebuilds(rebuilds + 1, kTimeoutMs)) << "the program stopped answering";
    EXPECT_TRUE(IsWindowVisible(frame));

    // Moved, then the program ends: the new place is stored.
    SetWindowPos(frame, nullptr, 200, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SendMessageTimeoutA(monitor, WM_QUIT, 0, 0, SMTO_NORMAL, kTimeoutMs, nullptr);
    ASSERT_TRUE(run.Program().WaitForExit(kTimeoutMs));
    EXPECT_EQ(settings.Get("DetailFrame.left"), 200u);
    EXPECT_EQ(settings.Get("DetailFrame.bottom"), 540u);
    EXPECT_EQ(settings.Get("DetailFrame.maximized"), 0u);
}

}  // namespace
