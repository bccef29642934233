// A dragged tile reorders the monitoring view through the library, and the order outlives a restart.
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <string>
#include <vector>
#include "tests/e2e/QuorvaneRun.h"
#include "tests/support/Capture.h"
#include "tests/support/Input.h"
#include "tests/support/LinsettControl.h"
#include "tests/support/TopWindows.h"

namespace {

using e2e::QuorvaneRun;
constexpr DWORD kTimeoutMs = 30000;

// Place of each record in the monitoring ring, as the library tells it.
std::map<std::string, int> Positions(DWORD processId) {
    std::map<std::string, int> positions;
    std::istringstream lines(e2e::SendLinsettCommand(processId, "dump"));
    std::string line;
    while (std::getline(lines, line)) {
        size_t at = line.find(" position=");
        if (at != std::string::npos) positions[line.substr(0, line.find(' '))] = std::stoi(line.substr(at + 10));
    }
    return positions;
}

// A tile's row as drawn, its blinking light left out: marker, icon and port badges.
std::vector<uint32_t> Row(const e2e::Image& shot, int row) {
    std::vector<uint32_t> pixels;
    if (shot.width < 130 || shot.height < 51 + 29 * row) return pixels;  // not on the screen yet
    for (int y = 25 + 29 * row; y < 51 + 29 * row; ++y)
        for (int x = 30; x < 130; ++x) pixels.push_back(shot.At(x, y));
    return pixels;
}

TEST(Reorder, DraggingTheSecondTileAboveTheFirstSurvivesARestart) {
    const e2e::InstalledSettings settings;
    settings.PlaceMonitor(300, 200, 4);
    const std::string scenario = e2e::ShippedScenario("test-small.json");
    const std::string state = e2e::NewTemporaryFolder();  // shared by both runs
    {
        QuorvaneRun run(scenario, {{"LOCALAPPDATA", state}});
        HWND monitor = e2e::WaitForMonitor(run, kTimeoutMs);
        ASSERT_NE(monitor, nullptr);
        auto before = Positions(run.Id());
        ASSERT_LT(before["Computer"], before["keys"]) << "the keyboard should start behind the computer";

        e2e::MoveMouseTo(1200, 1000);
        e2e::Image start;
        ASSERT_TRUE(e2e::WaitUntil([&] { return Row(start = e2e::CaptureWindow(monitor), 0) != Row(start, 1); }, kTimeoutMs))
            << "the tiles were never drawn";
        const RECT r = e2e::Rect(monitor);
        // The keyboard's tile (second row) dragged onto the computer's (first), pictured half-way.
        e2e::MoveMouseTo(r.left + 100, r.top + 65);
        e2e::PressLeftButton(true);
        for (int y = 63; y >= 45; y -= 3) e2e::MoveMouseTo(r.left + 100, r.top + y);
        e2e::Image middle;
        EXPECT_TRUE(e2e::WaitUntil([&] { return Row(middle = e2e::CaptureWindow(monitor), 1) == Row(start, 0); }, 5000))
            << "half-way, the computer's tile is not drawn a row down";
        e2e::SaveScreenshot(middle, "monitor-drag");
        for (int y = 42; y >= 25; y -= 3) e2e::MoveMouseTo(r.left + 100, r.top + y);
        e2e::PressLeftButton(false);
        ASSERT_TRUE(e2e::WaitUntil([&] { return Positions(run.Id())["keys"] == 0; }, kTimeoutMs))
            << "the keyboard did not move to the front";
        // The screen shows the new order: the keyboard's row first, the computer's second.
        e2e::MoveMouseTo(1200, 1000);
        EXPECT_TRUE(e2e::WaitUntil([&] {
            const e2e::Image now = e2e::CaptureWindow(monitor);
            return Row(now, 0) == Row(start, 1) && Row(now, 1) == Row(start, 0);
        }, 5000)) << "the tiles are not drawn in their new order";
        auto after = Positions(run.Id());
        EXPECT_EQ(after["Computer"], 1) << "the computer should now be second";
        EXPECT_EQ(after["disk"], before["disk"]) << "a move of one place disturbed others";

        SendMessageTimeoutA(e2e::ApplicationWindow(run), WM_QUIT, 0, 0, SMTO_NORMAL, 5000, nullptr);
        ASSERT_TRUE(run.Program().WaitForExit(kTimeoutMs));
    }
    {
        QuorvaneRun again(scenario, {{"LOCALAPPDATA", state}});
        ASSERT_NE(e2e::WaitForWindow("ElxWnd", "Quorvane Monitor", again.Id(), kTimeoutMs), nullptr);
        EXPECT_EQ(Positions(again.Id())["keys"], 0) << "the order did not survive the restart";
    }
    e2e::RemoveFolder(state);
}

}  // namespace
