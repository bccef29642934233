// The monitoring window of the real program with the demo hardware: where it opens, how
// it expands, opens its outline under the pointer, and how the program ends.
#include <gtest/gtest.h>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include "tests/e2e/QuorvaneRun.h"
#include "tests/support/Capture.h"
#include "tests/support/Input.h"
#include "tests/support/LinsettControl.h"
#include "tests/support/TopWindows.h"

namespace {

using e2e::QuorvaneRun;
using e2e::Rect;
constexpr DWORD kTimeoutMs = 30000;

// The small scenario has no timeline, so nothing is plugged in behind the test's back.
class Monitor : public ::testing::Test {
protected:
    e2e::InstalledSettings settings;
    std::unique_ptr<QuorvaneRun> run;
    HWND monitor = nullptr;
    // The program with its monitor placed at (left, top), `rows` tiles high; false when no monitor opened.
    bool Start(int left, int top, int rows, const std::string& scenario = e2e::ShippedScenario("test-small.json")) {
        settings.PlaceMonitor(left, top, rows);
        run = std::make_unique<QuorvaneRun>(scenario);
        return (monitor = e2e::WaitForMonitor(*run, kTimeoutMs)) != nullptr;
    }
    static RECT RegionBox(HWND window) {
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        RECT box{};
        if (GetWindowRgn(window, region) != ERROR) GetRgnBox(region, &box);
        DeleteObject(region);
        return box;
    }
};

TEST_F(Monitor, OpensExpandsOpensItsOutlineAndExitsSavingThePlacement) {
    ASSERT_TRUE(Start(300, 200, 1)) << "no monitoring window";
    RECT r = Rect(monitor);  // where it opened: the placement saved at the end
    EXPECT_EQ(r.right - r.left, 185);
    EXPECT_EQ(r.bottom - r.top, 77);
    e2e::MoveMouseTo(900, 900);
    EXPECT_TRUE(e2e::WaitUntil([&] { return RegionBox(monitor).left >= 10; }, kTimeoutMs)) << "outline not closed";
    e2e::SaveScreenshot(e2e::CaptureWindow(monitor), "monitor-closed");

    e2e::ClickAt(r.left + 185 - 70 + 8, r.top + 6 + 5);  // maximize
    // Every monitored node: the computer and its three connected devices; hubs have no tile.
    const int rows = 4;
    EXPECT_TRUE(e2e::WaitUntil([&] { return Rect(monitor).bottom - Rect(monitor).top == 48 + 29 * rows; },
                               kTimeoutMs))
        << "height " << Rect(monitor).bottom - Rect(monitor).top << " for " << rows << " rows";

    // The pointer that clicked leaves: the taller outline closes too.
    e2e::MoveMouseTo(900, 900);
    EXPECT_TRUE(e2e::WaitUntil([&] { return RegionBox(monitor).left >= 10; }, kTimeoutMs)) << "outline stayed open";
    e2e::SaveScreenshot(e2e::CaptureWindow(monitor), "monitor-expanded");

    // WM_QUIT sent to the program's window ends it in order; the placement is saved after the loop.
    SendMessageTimeoutA(e2e::ApplicationWindow(*run), WM_QUIT, 0, 0, SMTO_NORMAL, 5000, nullptr);
    ASSERT_EQ(run->Program().ExitCode(kTimeoutMs), 0u);
    EXPECT_EQ(settings.Get("Monitor.left"), 300u);
    EXPECT_EQ(settings.Get("Monitor.bottom"), static_cast<uint32_t>(200 + 48 + 29 * rows));
}

TEST_F(Monitor, PlacementOffTheScreenComesBackAndALogoffSavesIt) {
    ASSERT_TRUE(Start(5000, -400, 1, ""));
    RECT r = Rect(monitor);
    EXPECT_EQ(r.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right - r.left, 185);

    // A logoff ends the program without the end of its message loop.
    DWORD_PTR answer = 0;
    const HWND application = e2e::ApplicationWindow(*run);
    SendMessageTimeoutA(application, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, kTimeoutMs, &answer);
    EXPECT_EQ(answer, TRUE);
    SendMessageTimeoutA(application, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, kTimeoutMs, nullptr);
    EXPECT_EQ(settings.Get("Monitor.left"), static_cast<uint32_t>(r.left)) << "the placement was not written";
}

TEST_F(Monitor, AResumeWithFewerDevicesShrinksTheOutlineWithTheWindow) {
    const std::string folder = e2e::NewTemporaryFolder(), scenario = folder + "\\small.json";
    ASSERT_TRUE(CopyFileA(e2e::ShippedScenario("test-small.json").c_str(), scenario.c_str(), FALSE));
    ASSERT_TRUE(Start(300, 200, 4, scenario));
    ASSERT_EQ(Rect(monitor).bottom - Rect(monitor).top, 164);

    // The machine wakes up with every device gone: the restarted library finds only the computer.
    std::ifstream in(scenario);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    const size_t from = text.find("\"devices\""), to = text.find("\"disconnected\"");
    ASSERT_LT(from, to);
    std::ofstream(scenario) << text.replace(from, to - from, "\"devices\": [],\n  ");
    const int rebuilds = run->Rebuilds();
    SendMessageTimeoutA(e2e::ApplicationWindow(*run), WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0, SMTO_NORMAL, kTimeoutMs, nullptr);
    ASSERT_TRUE(run->WaitForRebuilds(rebuilds + 1, kTimeoutMs));
    const int height = Rect(monitor).bottom - Rect(monitor).top;
    EXPECT_EQ(height, 77);
    // The outline's lower edge sits just above the window's, wherever that now is.
    EXPECT_LE(RegionBox(monitor).bottom, height) << "the outline kept its height from before";
    EXPECT_GT(RegionBox(monitor).bottom, height - 20);
    e2e::RemoveFolder(folder);
}

TEST_F(Monitor, TheGripResizesInWholeTiles) {
    // The small scenario monitors four nodes, so the window is 77 + 29 * 3 at most.
    ASSERT_TRUE(Start(300, 200, 1)) << "no monitoring window";
    auto height = [&] { return Rect(monitor).bottom - Rect(monitor).top; };

    struct Step {
        int dragBy;  // how far the grip moves down (negative: up)
        int expected;
    } steps[] = {
        {+40, 106},   // 117 keeps the whole tiles only
        {+100, 164},  // the last row is the limit
        {-200, 77},   // never below one tile
    };
    for (const Step& step : steps) {
        RECT r = Rect(monitor);
        // The grip lies in the open outline: the pointer enters the window first.
        e2e::MoveMouseTo(r.left + 90, r.top + 30);
        ASSERT_TRUE(e2e::WaitUntil([&] { return RegionBox(monitor).left == 0; }, kTimeoutMs)) << "outline not opened";
        // Inside the rounded corner, in the bottom-right 39 x 39 pixels.
        e2e::DragFromTo(r.right - 24, r.bottom - 20, r.right - 24, r.bottom - 20 + step.dragBy);
        EXPECT_TRUE(e2e::WaitUntil([&] { return height() == step.expected; }, kTimeoutMs))
            << "dragged by " << step.dragBy << ": height " << height() << ", expected " << step.expected;
        EXPECT_EQ(Rect(monitor).left, 300) << "a resize moved the window";
        EXPECT_EQ(Rect(monitor).top, 200) << "a resize moved the window";
    }
    e2e::SaveScreenshot(e2e::CaptureWindow(monitor), "monitor-after-grip");
}

TEST_F(Monitor, DraggedByItsFrameItStaysOnTheScreenAndKeepsThePointer) {
    ASSERT_TRUE(Start(300, 200, 1)) << "no monitoring window";
    // Grabbed on the frame above the tiles, 60 pixels in from the left.
    e2e::MoveMouseTo(360, 212);
    ASSERT_TRUE(e2e::WaitUntil([&] { return RegionBox(monitor).left == 0; }, kTimeoutMs)) << "outline not opened";
    e2e::PressLeftButton(true);
    for (int x = 340; x >= 20; x -= 20) e2e::MoveMouseTo(x, 232);
    EXPECT_TRUE(e2e::WaitUntil([&] { return Rect(monitor).left == 0; }, kTimeoutMs))
        << "left " << Rect(monitor).left << ": the window should stop at the screen's edge";
    for (int x = 40; x <= 200; x += 20) e2e::MoveMouseTo(x, 232);
    e2e::PressLeftButton(false);
    EXPECT_TRUE(e2e::WaitUntil([&] { return Rect(monitor).left == 140; }, kTimeoutMs))
        << "left " << Rect(monitor).left << ": the pointer should still hold the window 60 pixels in";
    EXPECT_EQ(Rect(monitor).top, 220);
    EXPECT_EQ(Rect(monitor).bottom - Rect(monitor).top, 77) << "a move resized the window";
}

}  // namespace
