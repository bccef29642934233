// After the machine wakes up the library is started again; windows keep their visibility.
#include <gtest/gtest.h>

#include "tests/e2e/QuorvaneRun.h"
#include "tests/e2e/driver/Capture.h"
#include "tests/e2e/driver/Input.h"
#include "tests/e2e/driver/LinsettControl.h"
#include "tests/e2e/driver/TopWindows.h"

namespace {

using e2e::QuorvaneRun;
constexpr DWORD kTimeoutMs = 30000;

// The tiles' lights change on the screen: the program's timer draws what the library moves.
bool LightsMove() {
    const RECT lights{200 + 132, 150 + 18, 200 + 145, 150 + 48 + 29 * 4 - 18};  // where the test places it
    const e2e::Image first = e2e::CaptureScreen(lights);
    return e2e::WaitUntil([&] { return e2e::CaptureScreen(lights).pixels != first.pixels; }, kTimeoutMs);
}

TEST(Resume, RestartsTheLibraryAndKeepsHiddenWindowsHiddenAndTheLightsRunning) {
    const e2e::InstalledSettings settings;
    settings.PlaceMonitor(200, 150, 4);
    QuorvaneRun run(e2e::ShippedScenario("test-small.json"));
    HWND monitor = e2e::WaitForMonitor(run, kTimeoutMs);
    ASSERT_NE(monitor, nullptr);
    e2e::MoveMouseTo(1000, 900);

    // Visible before: visible after, on a model built anew.
    int rebuilds = run.Rebuilds();
    SendMessageTimeoutA(monitor, WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0, SMTO_NORMAL, kTimeoutMs, nullptr);
    ASSERT_TRUE(run.WaitForRebuilds(rebuilds + 1, kTimeoutMs)) << "no restart of the library";
    EXPECT_TRUE(IsWindowVisible(monitor));
    EXPECT_EQ(e2e::SendLinsettCommand(run.Id(), "dump").substr(0, 2), "ok") << "the restarted library is silent";
    EXPECT_TRUE(LightsMove()) << "the lights stayed still after the resume";
    EXPECT_EQ(e2e::SendLinsettCommand(run.Id(), "change 0").substr(0, 2), "ok");
    EXPECT_TRUE(LightsMove()) << "the lights stayed still after a topology change";

    // Hidden before: hidden after.
    PostMessageA(monitor, WM_CLOSE, 0, 0);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindowVisible(monitor); }, kTimeoutMs));
    rebuilds = run.Rebuilds();
    SendMessageTimeoutA(monitor, WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0, SMTO_NORMAL, kTimeoutMs, nullptr);
    ASSERT_TRUE(run.WaitForRebuilds(rebuilds + 1, kTimeoutMs));
    EXPECT_FALSE(IsWindowVisible(monitor)) << "a hidden monitor came back after resume";

    // Other power events do nothing.
    rebuilds = run.Rebuilds();
    SendMessageTimeoutA(monitor, WM_POWERBROADCAST, PBT_APMSUSPEND, 0, SMTO_NORMAL, kTimeoutMs, nullptr);
    EXPECT_EQ(run.Rebuilds(), rebuilds);
    EXPECT_FALSE(run.Program().WaitForExit(0));
}

}  // namespace
