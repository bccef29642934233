// The program with the test build of the library that reads the system's USB tree, playing a
// recorded laptop: its devices become tiles, and the traffic of a recorded capture moves a light.
// (An unplug that Windows reports is the library's tests' to follow.)
#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>
#include "tests/e2e/QuorvaneRun.h"
#include "tests/support/Capture.h"
#include "tests/support/CaptureWriter.h"
#include "tests/support/Paths.h"
#include "tests/support/TopWindows.h"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"  // designated initializers leave the rest default

namespace {

constexpr DWORD kTimeoutMs = 30000;

int Rows(HWND monitor) { return (e2e::Rect(monitor).bottom - e2e::Rect(monitor).top - 48) / 29; }

// A copy of the recorded laptop in the folder, with each `from` made `to`.
std::string Laptop(const std::vector<std::pair<std::string, std::string>>& changes, const std::string& folder) {
    const char* source = std::getenv("QUORVANE_SOURCE_DIR");
    std::ifstream in(e2e::WindowsPath(std::string(source ? source : ".") + "/tests/usb-fixtures/laptop.json"), std::ios::binary);
    std::string text{std::istreambuf_iterator<char>(in), {}};
    for (const auto& [from, to] : changes) text.replace(text.find(from), from.size(), to);  // throws if from is missing
    const std::string tree = folder + "\\laptop.json";
    std::ofstream(tree, std::ios::binary | std::ios::trunc) << text;
    return tree;
}

TEST(UsbTree, TheProgramShowsARecordedTreeAndTheLightOfTheDeviceWithTrafficMovesWhileIdleOnesRest) {
    const e2e::InstalledSettings settings;
    settings.PlaceMonitor(820, 150, 12);
    settings.Set("ShowTransmissionLight", 1);
    // The mouse moves 400 KB/s for half a second, then rests for half a second, over and over.
    const std::string folder = e2e::NewTemporaryFolder();
    e2e::CaptureWriter capture;
    for (uint64_t us = 0; us < 500000; us += 10000) capture.Packet({.timeUs = us, .address = 42, .data = 4000, .cutTo = 27});
    ASSERT_TRUE(capture.Save(std::wstring(folder.begin(), folder.end()) + L"\\mouse.pcap"));
    const std::string tree = Laptop({{R"("port": 1, "speed": "low")", R"("port": 1, "speed": "low", "address": 42)"},
                                     {R"("name": "USB#ROOT_HUB30)", R"("capture": "mouse.pcap", "name": "USB#ROOT_HUB30)"}},
                                    folder);
    e2e::QuorvaneRun run("", {{"LINSETT_REPLAY", tree}}, e2e::BinDir() + "\\usb-test\\Quorvane.exe");
    HWND monitor = e2e::WaitForMonitor(run, kTimeoutMs);
    ASSERT_NE(monitor, nullptr);
    // The computer and the recording's four devices: mouse, camera, Bluetooth adapter and
    // fingerprint reader (their hub has no tile).
    ASSERT_EQ(Rows(monitor), 5);
    ASSERT_NE(e2e::OpenSystemView(run, monitor, 0, kTimeoutMs), nullptr);
    e2e::SaveScreenshot(e2e::CaptureScreen({0, 0, 1280, 1024}), "usb-laptop");
    // Each device's light, row 1 the mouse's: its lamp as drawn now.
    auto light = [&](int row) {
        const RECT m = e2e::Rect(monitor);
        return e2e::CaptureScreen({m.left + 132, m.top + 24 + 29 * row, m.left + 145, m.top + 53 + 29 * row}).pixels;
    };
    auto green = [](uint32_t pixel) { return (pixel >> 8 & 0xFF) > (pixel >> 16 & 0xFF) + 40; };
    ASSERT_TRUE(e2e::WaitUntil([&] { return std::ranges::any_of(light(4), green); }, kTimeoutMs)) << "no lamp drawn";
    std::vector<std::vector<uint32_t>> first;
    for (int row = 1; row < 5; ++row) first.push_back(light(row));
    // The mouse's light leaves its first look and comes back to it; the others never move.
    bool othersMoved = false;
    auto mouseLooksFirst = [&](bool same) {
        return e2e::WaitUntil([&] {
            for (int row = 2; row < 5; ++row) othersMoved |= light(row) != first[row - 1];
            return (light(1) == first[0]) == same;
        }, kTimeoutMs);
    };
    EXPECT_TRUE(mouseLooksFirst(false)) << "the mouse's light never changed";
    e2e::SaveScreenshot(e2e::CaptureScreen(e2e::Rect(monitor)), "usb-lights");
    EXPECT_TRUE(mouseLooksFirst(true)) << "the mouse's light never came back";
    EXPECT_FALSE(othersMoved);
}

}  // namespace
