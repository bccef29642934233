// The capture service's test build replaying recorded captures, read as the library reads it:
// each device's count in the section is the sum of its transfers' lengths, and nothing of
// their data is there.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "driver/capture/ActivitySection.h"
#include "tests/e2e/QuorvaneRun.h"
#include "tests/support/CaptureWriter.h"
#include "tests/support/Paths.h"
#include "tests/support/Process.h"
#include "tests/support/Security.h"
#include "tests/support/Services.h"
#include "tests/support/TopWindows.h"

namespace {

using linsett::capture::ActivitySection;
constexpr DWORD kTimeoutMs = 30000;
constexpr wchar_t kService[] = L"QuorvaneCapture";

DWORD RunToEnd(const std::string& commandLine) {
    DWORD exitCode = 99;
    return e2e::Process::Start(commandLine).WaitForExit(kTimeoutMs, &exitCode) ? exitCode : 98;
}

struct Transfers {
    uint16_t address;
    uint8_t transfer;
    std::vector<uint8_t> extra;  // header bytes after the fixed 27
    uint32_t data;
    int count;
};

TEST(CaptureService, TheTestBuildCountsReplayedCapturesIntoASectionUsersOnlyReadAndStopsWhenAsked) {
    const std::string exe = e2e::BinDir() + "\\usb-test\\QuorvaneCapture.exe";
    EXPECT_NE(RunToEnd(exe), 0u) << "it ran outside the service manager";
    // The second hub is captured as the service asks USBPcap to, the fixed header only: its
    // control transfer's stage byte and the isochronous packet list are cut.
    const struct {
        std::wstring path;
        uint32_t snaplen;
        std::vector<Transfers> devices;
    } hubs[] = {
        {L"\\??\\USB#ROOT_HUB30#4&1c3a7e55&0#{f18a0e88-c30c-11d0-8815-00a0c906bed8}", 65535,
         {{3, 3, {}, 16384, 40}, {7, 1, {}, 8, 50}, {1, 2, {0}, 18, 1}}},
        {L"\\??\\USB#ROOT_HUB20#4&2f00a1b2&0#{f18a0e88-c30c-11d0-8815-00a0c906bed8}", 27,
         {{2, 3, {}, 512, 300}, {127, 0, std::vector<uint8_t>(24, 1), 3072, 2}, {4, 2, {3}, 8, 1}}},
    };
    const std::string folder = e2e::NewTemporaryFolder();
    std::vector<std::wstring> arguments{L"/replay"};
    uint32_t expected[2][128] = {};
    for (int h = 0; h < 2; ++h) {
        e2e::CaptureWriter writer(hubs[h].snaplen);
        for (const Transfers& device : hubs[h].devices) {
            e2e::CapturePacket packet;
            packet.address = device.address, packet.transfer = device.transfer, packet.data = device.data, packet.extra = device.extra;
            for (int i = 0; i < device.count; ++i) writer.Packet(packet);
            expected[h][device.address] += device.data * device.count;
        }
        const std::wstring file = std::wstring(folder.begin(), folder.end()) + L"\\hub" + std::to_wstring(h) + L".pcap";
        ASSERT_TRUE(writer.Save(file));
        arguments.push_back(hubs[h].path + L"=" + file);
    }
    ASSERT_EQ(RunToEnd(exe + " /install"), 0u);

    // The reader keeps its view while the service restarts: the counts go on from where they were.
    HANDLE section = nullptr;
    const ActivitySection* view = nullptr;
    for (uint32_t run = 1; run <= 2; ++run) {
        ASSERT_TRUE(e2e::services::Start(kService, arguments)) << "error " << GetLastError();
        ASSERT_TRUE(e2e::WaitUntil([&] {
            return section || (section = OpenFileMappingW(FILE_MAP_READ | READ_CONTROL, FALSE, linsett::capture::kSectionName));
        }, kTimeoutMs)) << "no section";
        if (!view) view = static_cast<const ActivitySection*>(MapViewOfFile(section, FILE_MAP_READ, 0, 0, sizeof *view));
        ASSERT_NE(view, nullptr);
        auto wrong = [&](int h, int address) { return view->hubs[h].bytes[address] != run * expected[h][address]; };
        EXPECT_TRUE(e2e::WaitUntil([&] {
            for (int i = 0; i < 2 * 128; ++i)
                if (view->hubCount != 2 || wrong(i / 128, i % 128)) return false;
            return true;
        }, kTimeoutMs)) << view->hubCount << " hubs";
        for (int i = 0; i < 2 * 128; ++i)
            if (wrong(i / 128, i % 128)) ADD_FAILURE() << "hub " << i / 128 << " device " << i % 128 << ": " << view->hubs[i / 128].bytes[i % 128];
        for (int h = 0; h < 2; ++h) EXPECT_EQ(reinterpret_cast<const wchar_t*>(view->hubs[h].hubPath), hubs[h].path);
        EXPECT_FALSE(e2e::HoldsPayload(view, sizeof *view)) << "transferred data reached the section";
        const uint32_t beat = view->beat;
        EXPECT_TRUE(e2e::WaitUntil([&] { return view->beat != beat; }, kTimeoutMs)) << "it stopped beating after the replay";

        ASSERT_TRUE(e2e::services::Stop(kService));
        const auto stopped = e2e::services::WaitFor(kService, SERVICE_STOPPED, 10000);
        EXPECT_EQ(stopped.state, DWORD(SERVICE_STOPPED)) << "it did not stop in time";
        EXPECT_EQ(stopped.exitCode, DWORD(NO_ERROR));
    }
    const ACCESS_MASK users = e2e::GrantedTo(section, SE_KERNEL_OBJECT, WinBuiltinUsersSid);
    EXPECT_NE(users & (SECTION_MAP_READ | GENERIC_READ), 0u) << std::hex << users;
    EXPECT_EQ(users & (SECTION_MAP_WRITE | GENERIC_WRITE | GENERIC_ALL | WRITE_DAC | WRITE_OWNER), 0u) << std::hex << users;
    UnmapViewOfFile(view);
    CloseHandle(section);
    EXPECT_EQ(RunToEnd(exe + " /uninstall"), 0u);
    EXPECT_FALSE(e2e::services::Query(kService).exists);
}

}  // namespace
