// The capture service's test build replaying recorded captures, read as the library reads it: each
// device's count in the section is the sum of its transfers' lengths, and none of their data.
#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>
#include <ranges>
#include <string>
#include <tuple>
#include <vector>
#include "driver/capture/ActivitySection.h"
#include "tests/e2e/QuorvaneRun.h"
#include "tests/support/CaptureWriter.h"
#include "tests/support/Paths.h"
#include "tests/support/Process.h"
#include "tests/support/Services.h"
#include "tests/support/TopWindows.h"

namespace {

using linsett::capture::ActivitySection;
constexpr DWORD kTimeoutMs = 30000;
constexpr wchar_t kService[] = L"QuorvaneCapture";

DWORD RunToEnd(const std::string& commandLine) {
    return e2e::Process::Start(commandLine).ExitCode(kTimeoutMs);
}

TEST(CaptureService, TheTestBuildCountsReplayedCapturesIntoASectionUsersOnlyReadAndStopsWhenAsked) {
    const std::string exe = e2e::BinDir() + "\\usb-test\\QuorvaneCapture.exe";
    EXPECT_NE(RunToEnd(exe), 0u) << "it ran outside the service manager";
    // Devices' transfers: address, type, header bytes after the fixed 27, data, how many. The
    // second hub is captured as the service asks USBPcap to, the fixed header only: its control
    // transfer's stage byte and the isochronous packet list are cut.
    const struct {
        std::string path;
        uint32_t snaplen;
        std::vector<std::tuple<uint16_t, uint8_t, std::vector<uint8_t>, uint32_t, int>> devices;
    } hubs[] = {
        {"\\??\\USB#ROOT_HUB30#4&1c3a7e55&0#{f18a0e88-c30c-11d0-8815-00a0c906bed8}", 65535,
         {{3, 3, {}, 16384, 40}, {7, 1, {}, 8, 50}, {1, 2, {0}, 18, 1}}},
        {"\\??\\USB#ROOT_HUB20#4&2f00a1b2&0#{f18a0e88-c30c-11d0-8815-00a0c906bed8}", 27,
         {{2, 3, {}, 512, 300}, {127, 0, std::vector<uint8_t>(24, 1), 3072, 2}, {4, 2, {3}, 8, 1}}},
    };
    const std::string folder = e2e::NewTemporaryFolder();
    std::string start = "sc start QuorvaneCapture /replay";
    std::vector<uint32_t> expected(2 * 128);  // each hub's counts, one after the other
    for (int h = 0; h < 2; ++h) {
        e2e::CaptureWriter writer(hubs[h].snaplen);
        for (const auto& [address, transfer, extra, data, count] : hubs[h].devices) {
            e2e::CapturePacket packet;
            packet.address = address, packet.transfer = transfer, packet.extra = extra, packet.data = data;
            for (int i = 0; i < count; ++i) writer.Packet(packet);
            expected[h * 128 + address] += data * count;
        }
        const std::string file = folder + "\\hub" + std::to_string(h) + ".pcap";
        ASSERT_TRUE(writer.Save(std::wstring(file.begin(), file.end())));
        start += " " + hubs[h].path + "=" + file;
    }
    ASSERT_EQ(RunToEnd(exe + " /install"), 0u);

    // The reader keeps its view while the service restarts: the counts go on from where they were.
    HANDLE section = nullptr;
    const ActivitySection* view = nullptr;
    for (uint32_t run = 1; run <= 2; ++run) {
        ASSERT_EQ(RunToEnd(start), 0u);
        ASSERT_TRUE(e2e::WaitUntil([&] {
            return section || (section = OpenFileMappingW(FILE_MAP_READ | READ_CONTROL, FALSE, linsett::capture::kSectionName));
        }, kTimeoutMs)) << "no section";
        if (!view) view = static_cast<const ActivitySection*>(MapViewOfFile(section, FILE_MAP_READ, 0, 0, sizeof *view));
        ASSERT_NE(view, nullptr);
        auto wrong = [&](int i) { return view->hubs[i / 128].bytes[i % 128] != run * expected[i]; };
        e2e::WaitUntil([&] { return view->hubCount == 2 && std::ranges::none_of(std::views::iota(0, 256), wrong); }, kTimeoutMs);
        ASSERT_EQ(view->hubCount, 2u);
        for (int i = 0; i < 256; ++i) EXPECT_FALSE(wrong(i)) << "hub " << i / 128 << " device " << i % 128 << ": " << view->hubs[i / 128].bytes[i % 128];
        for (int h = 0; h < 2; ++h) EXPECT_EQ(std::u16string(view->hubs[h].hubPath), std::u16string(hubs[h].path.begin(), hubs[h].path.end()));
        EXPECT_FALSE(e2e::HoldsPayload(view, sizeof *view)) << "transferred data reached the section";
        const uint32_t beat = view->beat;
        EXPECT_TRUE(e2e::WaitUntil([&] { return view->beat != beat; }, kTimeoutMs)) << "it stopped beating after the replay";

        ASSERT_EQ(RunToEnd("sc stop QuorvaneCapture"), 0u);
        e2e::ServiceStatus status;
        EXPECT_TRUE(e2e::WaitUntil([&] { return (status = e2e::QueryService(kService)).state == SERVICE_STOPPED; }, 10000));
        EXPECT_EQ(status.exitCode, DWORD(NO_ERROR));
    }
    const ACCESS_MASK users = e2e::GrantedTo(section, SE_KERNEL_OBJECT, WinBuiltinUsersSid);
    EXPECT_NE(users & (SECTION_MAP_READ | GENERIC_READ), 0u) << std::hex << users;
    EXPECT_EQ(users & (SECTION_MAP_WRITE | GENERIC_WRITE | GENERIC_ALL | WRITE_DAC | WRITE_OWNER), 0u) << std::hex << users;
    UnmapViewOfFile(view);
    CloseHandle(section);
    EXPECT_EQ(RunToEnd(exe + " /uninstall"), 0u);
    EXPECT_FALSE(e2e::QueryService(kService).exists);
}

}  // namespace
