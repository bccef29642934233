// After the machine wakes up the library is started again; windows keep their visibility.
#include <windows.h>
#include <dbt.h>
#include <gtest/gtest.h>
#include <atomic>
#include <set>
#include <string>
#include <thread>
#include <vector>
#include "resources/ResourceIds.h"
#include "tests/e2e/QuorvaneRun.h"
#include "tests/support/Capture.h"
#include "tests/support/Input.h"
#include "tests/support/LinsettControl.h"
#include "tests/support/TopWindows.h"

namespace {

using e2e::QuorvaneRun;
constexpr DWORD kTimeoutMs = 30000;

class Resume : public e2e::SmallRunTest {
protected:
    void SetUp() override {
        SmallRunTest::SetUp();
        application = e2e::ApplicationWindow(run);
        e2e::MoveMouseTo(1000, 900);
    }
    HWND application = nullptr;
};

TEST_F(Resume, RestartsTheLibraryAndKeepsHiddenWindowsHiddenAndTheLightsRunning) {
    // Visible before: visible after, on a model built anew.
    int rebuilds = run.Rebuilds();
    SendMessageTimeoutA(application, WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0, SMTO_NORMAL, kTimeoutMs, nullptr);
    ASSERT_TRUE(run.WaitForRebuilds(rebuilds + 1, kTimeoutMs)) << "no restart of the library";
    EXPECT_TRUE(IsWindowVisible(monitor));
    EXPECT_TRUE(LightsMove()) << "the lights stayed still after the resume";
    EXPECT_EQ(e2e::SendLinsettCommand(run.Id(), "change 0").substr(0, 2), "ok");
    EXPECT_TRUE(LightsMove()) << "the lights stayed still after a topology change";

    // Hidden before: hidden after.
    PostMessageA(monitor, WM_CLOSE, 0, 0);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindowVisible(monitor); }, kTimeoutMs));
    rebuilds = run.Rebuilds();
    SendMessageTimeoutA(application, WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0, SMTO_NORMAL, kTimeoutMs, nullptr);
    ASSERT_TRUE(run.WaitForRebuilds(rebuilds + 1, kTimeoutMs));
    EXPECT_FALSE(IsWindowVisible(monitor)) << "a hidden monitor came back after resume";

    // Other power events do nothing.
    rebuilds = run.Rebuilds();
    SendMessageTimeoutA(application, WM_POWERBROADCAST, PBT_APMSUSPEND, 0, SMTO_NORMAL, kTimeoutMs, nullptr);
    EXPECT_EQ(run.Rebuilds(), rebuilds);
    EXPECT_FALSE(run.Program().WaitForExit(0));
}

// Sends the message from a thread of its own and meanwhile closes every box the program
// shows: what the boxes said, once the program has answered the message.
std::vector<std::string> SendClosingBoxes(const QuorvaneRun& run, HWND window, UINT message, WPARAM wParam) {
    std::atomic<bool> answered = false;
    std::thread sender([&] {
        SendMessageTimeoutA(window, message, wParam, 0, SMTO_NORMAL, kTimeoutMs, nullptr);
        answered = true;
    });
    std::set<HWND> seen;
    std::vector<std::string> boxes;
    e2e::WaitUntil([&] {
        // Only a box that was read is answered: one that came up meanwhile waits for the next look.
        for (const e2e::ModalBox& box : e2e::FindModalBoxes(run.Id())) {
            if (seen.insert(box.window).second) boxes.push_back(box.title + ": " + box.text);
            PostMessageA(box.window, WM_COMMAND, IDOK, 0);
        }
        return answered.load();
    }, kTimeoutMs);
    sender.join();
    return boxes;
}

TEST_F(Resume, AFailedRestartIsToldOnceTriedAgainAtADeviceChangeOrResumeAndLeavesExitWorking) {
    const RECT m = e2e::Rect(monitor);
    const auto tiles = [&] { return e2e::CaptureScreen({m.left + 4, m.top + 18, m.left + 130, m.bottom - 18}).pixels; };
    const std::vector<uint32_t> shown = tiles();
    // A resume at which the library finds no hardware: one box says so, the monitor goes.
    const auto failRestart = [&] {
        ASSERT_EQ(e2e::SendLinsettCommand(run.Id(), "fail-next-restart").substr(0, 2), "ok");
        EXPECT_EQ(SendClosingBoxes(run, application, WM_POWERBROADCAST, PBT_APMRESUMESUSPEND),
                  std::vector<std::string>{"Quorvane: " + e2e::ProgramString(IDS_RESTART_FAILED)});
        EXPECT_FALSE(IsWindowVisible(monitor));
    };
    for (const auto& [message, wParam] : {std::pair<UINT, WPARAM>{WM_DEVICECHANGE, DBT_DEVNODES_CHANGED},
                                         std::pair<UINT, WPARAM>{WM_POWERBROADCAST, PBT_APMRESUMESUSPEND}}) {
        // The library counts what it handed over in this process, so a failed start adds none.
        const int rebuilds = run.Rebuilds();
        failRestart();
        EXPECT_EQ(SendClosingBoxes(run, application, message, wParam), std::vector<std::string>{}) << message;
        ASSERT_TRUE(run.WaitForRebuilds(rebuilds + 1, kTimeoutMs)) << message << ": the library was not started";
        EXPECT_TRUE(IsWindowVisible(monitor)) << message;
        EXPECT_TRUE(e2e::WaitUntil([&] { return tiles() == shown; }, kTimeoutMs)) << message;
    }

    failRestart();
    // A second copy shows the hidden monitor, which paints once, not for ever.
    QuorvaneRun second;
    ASSERT_TRUE(second.Program().WaitForExit(kTimeoutMs));
    ASSERT_TRUE(e2e::WaitUntil([&] { return IsWindowVisible(monitor) != FALSE; }, kTimeoutMs));
    EXPECT_TRUE(e2e::WaitUntil([&] { return !GetUpdateRect(monitor, nullptr, FALSE); }, kTimeoutMs))
        << "the monitor's paint is never done";
    // "Exit": the fifth item to choose, past the separators.
    ASSERT_TRUE(e2e::ChooseFromTrayMenu(run, {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}))
        << "the tray menu does not open";
    EXPECT_EQ(run.Program().ExitCode(kTimeoutMs), 0u) << "Exit did not end the program in order";
}

}  // namespace
