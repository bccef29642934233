// The program with the test build of the library that reads the system's USB tree, playing a
// recorded laptop: its devices become tiles, and an unplug that Windows reports takes one away.
#include <gtest/gtest.h>
#include <windows.h>
#include <dbt.h>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include "driver/ctl/ControlClient.h"
#include "tests/e2e/QuorvaneRun.h"
#include "tests/support/Capture.h"
#include "tests/support/Paths.h"
#include "tests/support/TopWindows.h"

namespace {

constexpr DWORD kTimeoutMs = 30000;

int Rows(HWND monitor) { return (e2e::Rect(monitor).bottom - e2e::Rect(monitor).top - 48) / 29; }

TEST(UsbTree, TheProgramShowsARecordedTreeAndLosesATileWhenADeviceIsUnplugged) {
    const e2e::InstalledSettings settings;
    settings.PlaceMonitor(820, 150, 12);
    const char* source = std::getenv("QUORVANE_SOURCE_DIR");
    const std::string tree = e2e::NewTemporaryFolder() + "\\laptop.json";
    ASSERT_TRUE(CopyFileA(e2e::WindowsPath(std::string(source ? source : ".") + "/tests/usb-fixtures/laptop.json").c_str(),
                          tree.c_str(), FALSE));
    e2e::QuorvaneRun run("", {{"LINSETT_REPLAY", tree}}, e2e::BinDir() + "\\usb-test\\Quorvane.exe");
    HWND monitor = e2e::WaitForMonitor(run, kTimeoutMs);
    ASSERT_NE(monitor, nullptr);
    // The computer and the recording's four devices: mouse, camera, Bluetooth adapter and
    // fingerprint reader (their hub has no tile).
    EXPECT_EQ(Rows(monitor), 5);
    ASSERT_NE(e2e::OpenSystemView(run, monitor, 0, kTimeoutMs), nullptr);
    e2e::SaveScreenshot(e2e::CaptureScreen({0, 0, 1280, 1024}), "usb-laptop");

    // The mouse's port reports no device any more, and Windows says so.
    std::ifstream in(tree, std::ios::binary);
    std::string text{std::istreambuf_iterator<char>(in), {}};
    in.close();
    const std::string mouse = R"("port": 1, "speed": "low")";
    ASSERT_NE(text.find(mouse), std::string::npos);
    text.replace(text.find(mouse), mouse.size(), R"("port": 1, "status": "no-device", "speed": "low")");
    std::ofstream(tree, std::ios::binary | std::ios::trunc) << text;
    const int rebuilds = run.Rebuilds();
    linsett::ControlResult found;
    PostMessageA(linsett::FindControlWindow(run.Id(), found), WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0);
    ASSERT_TRUE(run.WaitForRebuilds(rebuilds + 1));
    EXPECT_TRUE(e2e::WaitUntil([&] { return Rows(monitor) == 4; }, kTimeoutMs)) << Rows(monitor) << " rows";
}

}  // namespace
