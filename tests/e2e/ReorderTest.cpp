// Dragging a tile reorders the monitoring view through the library, and the order is still
// there after the program starts again.
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

#include "tests/e2e/QuorvaneRun.h"
#include "tests/e2e/driver/Capture.h"
#include "tests/e2e/driver/Input.h"
#include "tests/e2e/driver/LinsettControl.h"
#include "tests/e2e/driver/TopWindows.h"

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

        RECT r{};
        GetWindowRect(monitor, &r);
        // The keyboard's tile (second row) dragged up onto the computer's (first row), with a
        // picture taken half-way.
        e2e::MoveMouseTo(r.left + 100, r.top + 65);
        e2e::PressLeftButton(true);
        for (int y = 63; y >= 45; y -= 3) e2e::MoveMouseTo(r.left + 100, r.top + y);
        e2e::SaveScreenshot(e2e::CaptureWindow(monitor), "monitor-drag");
        for (int y = 42; y >= 25; y -= 3) e2e::MoveMouseTo(r.left + 100, r.top + y);
        e2e::PressLeftButton(false);
        ASSERT_TRUE(e2e::WaitUntil([&] { return Positions(run.Id())["keys"] == 0; }, kTimeoutMs))
            << "the keyboard did not move to the front";
        auto after = Positions(run.Id());
        EXPECT_EQ(after["Computer"], 1) << "the computer should now be second";
        EXPECT_EQ(after["disk"], before["disk"]) << "a move of one place disturbed others";

        SendMessageTimeoutA(monitor, WM_QUIT, 0, 0, SMTO_NORMAL, 5000, nullptr);
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
