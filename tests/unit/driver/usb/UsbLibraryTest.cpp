// The USB Linsett.dll playing recorded trees: what each publishes, and what changes do to the edits.
#include <windows.h>
#include <dbt.h>
#include "driver/capture/ActivitySection.h"
#include "tests/support/CaptureWriter.h"
#include "tests/unit/driver/LibraryFixture.h"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"  // designated initializers leave the rest default

namespace {

class UsbLibrary : public Library {
protected:
    // The record whose user name is `name`, or 0.
    uint32_t Named(const std::string& name) const {
        for (uint32_t record : Ring(0x2C8))
            if (WideText(record + 0x00E) == name) return record;
        return 0;
    }
    // A copy of a recorded tree that the test can rewrite, as the hardware changes.
    std::string Copy(const std::string& fixture) {
        const std::string path = appData_ + "\\" + fixture;
        std::filesystem::copy_file(e2e::WindowsPath(shippedDir_ + "/" + fixture), path);
        return path;
    }
    // Rewrites the copy and tells the library that devices came or went, as Windows would.
    uint32_t Replay(const std::string& path, const std::string& from, const std::string& to) {
        std::string text = Contents(path);
        const size_t at = text.find(from);  // the mouse comes first in the recording
        EXPECT_NE(at, std::string::npos) << from;
        if (at != std::string::npos) text.replace(at, from.size(), to);
        std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
        const size_t before = g_events.size();
        linsett::ControlResult found;
        PostMessageA(linsett::FindControlWindow(GetCurrentProcessId(), found), WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0);
        EXPECT_TRUE(PumpUntil([&] { return g_events.size() > before + 1; })) << "no change after " << to;
        return root_ = g_events.size() > before + 1 ? g_events.back().argument : root_;  // none: as it was
    }
};

TEST_F(UsbLibrary, EveryRecordedTreeIsPublishedWithItsDevicesKindsAndHealth) {
    // fixture, a device's name, its type code (node 0x52) and severity (node 0x78), and the
    // computer's severity (node 0x20): the worst of the tree
    struct Case { const char* fixture; const char* name; int typeCode, severity, computer; };
    const Case cases[] = {
        {"laptop.json", "USB Optical Mouse", 7, 0, 0},             // a mouse: an input device
        {"desk.json", "USB Optical Mouse", 7, 0, 0},               // 127 devices, hubs five deep
        {"code43.json", "Dell KB216 Wired Keyboard", 7, 0, 4},     // beside a stopped phone
        {"slow-port.json", "Cruzer Blade", 8, 1, 1},               // a 2.0 stick on a 1.1 port
        {"overcurrent.json", "HP LaserJet 1020", 12, 0, 4},        // beside an over-current port
        {"overcurrent.json", "USB Device", 0, 2, 4},               // not enough power on its port
        {"nostrings.json", "USB-SERIAL CH340 (COM3)", 0, 0, 0},    // named by Windows, not itself
        {"vanishing.json", "Dell KB216 Wired Keyboard", 7, 0, 3},  // a hub went away mid-read
    };
    for (const Case& c : cases) {
        ASSERT_NE(Start(c.fixture), 0u) << c.fixture;
        ExpectPublishedInvariants();
        EXPECT_EQ(Read<uint8_t>(Read<uint32_t>(Ring(0x2C8)[0], 0x004), 0x20), c.computer) << c.fixture;
        const uint32_t record = Named(c.name);
        ASSERT_NE(record, 0u) << c.fixture << ": " << c.name;
        const uint32_t node = Read<uint32_t>(record, 0x004);
        EXPECT_EQ(Read<uint8_t>(node, 0x52), c.typeCode) << c.name;
        EXPECT_EQ(Read<uint8_t>(node, 0x78), c.severity) << c.name;
    }
}

TEST_F(UsbLibrary, WhereTheRecordingNamesNoCaptureTheLightsFollowTheCaptureServicesSection) {
    ASSERT_NE(Start("laptop.json"), 0u);
    const std::string status = WideText(Read<uint32_t>(Read<uint32_t>(Ring(0x2C8)[0], 0x004), 0x34));
    EXPECT_NE(status.find(". Transmission lights at rest: USBPcap is not installed."), std::string::npos) << status;
    // The service comes and counts the mouse (address 1 in the recording) on its root hub.
    using namespace linsett::capture;
    HANDLE section = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(ActivitySection), kSectionName);
    auto* counts = static_cast<ActivitySection*>(MapViewOfFile(section, FILE_MAP_WRITE, 0, 0, 0));
    ASSERT_NE(counts, nullptr) << GetLastError();
    *counts = {kSectionMagic, kSectionVersion, 1, 0, {}};
    const std::u16string hub = u"\\??\\USB#ROOT_HUB30#4&1c2a7f1&0&0#{f18a0e88-c30c-11d0-8815-00a0c906bed8}";
    std::copy(hub.begin(), hub.end(), counts->hubs[0].hubPath);
    Export<ShowRealTimeTransmissionLightFn>("ShowRealTimeTransmissionLight")(1, 1);
    const uint32_t mouse = Read<uint32_t>(Named("USB Optical Mouse"), 0x004);
    auto moving = [&](bool beating) { return counts->beat += beating, counts->hubs[0].bytes[1] += 40000, Read<uint8_t>(mouse, 0x88); };
    EXPECT_TRUE(PumpUntil([&] { return moving(true) != 0; })) << "no light";
    EXPECT_TRUE(PumpUntil([&] { return moving(false) == 0; })) << "a beat that stands still is no count";
    UnmapViewOfFile(counts);
    CloseHandle(section);
}

TEST_F(UsbLibrary, TheLightsFollowTheTrafficInTheCaptureOfTheirRootHub) {
    // For four seconds the mouse moves 400 KB/s, a device the tree lacks 20 MB/s; only the
    // headers are captured.
    e2e::CaptureWriter capture;
    for (uint64_t us = 0; us < 4000000; us += 10000)
        capture.Packet({.timeUs = us, .address = 42, .data = 4000, .cutTo = 27})
            .Packet({.timeUs = us, .address = 99, .data = 200000, .cutTo = 27});
    ASSERT_TRUE(capture.Save(std::filesystem::path(appData_ + "\\traffic.pcap").wstring()));
    const std::string tree = Copy("laptop.json");
    std::string text = Contents(tree);
    for (auto [from, to] : {std::pair{R"("port": 1, "speed": "low")", R"("port": 1, "speed": "low", "address": 42)"},
                            {R"("name": "USB#ROOT_HUB30)", R"("capture": "traffic.pcap", "name": "USB#ROOT_HUB30)"}})
        text.replace(text.find(from), std::string(from).size(), to);
    std::ofstream(tree, std::ios::binary | std::ios::trunc) << text;
    ASSERT_NE(Start(tree), 0u);
    const std::string status = WideText(Read<uint32_t>(Read<uint32_t>(Ring(0x2C8)[0], 0x004), 0x34));
    EXPECT_EQ(status.find("at rest"), std::string::npos) << status;
    const uint32_t mouse = Named("USB Optical Mouse"), camera = Named("Integrated Camera");
    ASSERT_EQ(Control("status " + AnsiText(Read<uint32_t>(camera, 0x008)) + " 2"), "ok");  // held by hand
    Export<ShowRealTimeTransmissionLightFn>("ShowRealTimeTransmissionLight")(1, 1);
    ASSERT_TRUE(PumpUntil([&] { return Read<uint8_t>(Read<uint32_t>(mouse, 0x004), 0x88) != 0; })) << "no light";
    EXPECT_EQ(Read<uint8_t>(Read<uint32_t>(mouse, 0x004), 0x88), 3);
    for (uint32_t record : Ring(0x2C8)) {
        const uint32_t node = Read<uint32_t>(record, 0x004);
        if (Read<uint8_t>(record, 0) != 0x83 || !node || record == mouse) continue;
        EXPECT_EQ(Read<uint8_t>(node, 0x88), record == camera ? 2 : 0) << WideText(record + 0x00E);
    }
    // Replugged between two looks, it is back at another address, and that one's traffic counts.
    Replay(tree, R"("address": 42)", R"("address": 99)");
    EXPECT_TRUE(PumpUntil([&] { return Read<uint8_t>(Read<uint32_t>(Named("USB Optical Mouse"), 0x004), 0x88) == 4; }));
}

TEST_F(UsbLibrary, TheUsersNameFollowsADeviceThroughUnplugAndReplugIntoAnotherPort) {
    const std::string tree = Copy("laptop.json");
    ASSERT_NE(Start(tree), 0u);
    const std::string key = AnsiText(Read<uint32_t>(Named("USB Optical Mouse"), 0x008));
    ChangeTopology("text " + key + " name Desk mouse");

    // A notice after which nothing differs is no change for the program.
    const std::string generations = Control("generations"), looks = Control("looks");
    const size_t events = g_events.size();
    linsett::ControlResult found;
    PostMessageA(linsett::FindControlWindow(GetCurrentProcessId(), found), WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0);
    EXPECT_TRUE(PumpUntil([&] { return Control("looks") != looks; })) << "no look after the notice";
    EXPECT_EQ(Control("generations"), generations);
    EXPECT_EQ(g_events.size(), events);
    const std::string mouse = R"("port": 1, "speed": "low")";

    Replay(tree, mouse, R"("port": 1, "status": "no-device", "speed": "low")");
    EXPECT_EQ(g_events.back().changeCode, 1);
    ASSERT_NE(Named("Desk mouse"), 0u);
    EXPECT_EQ(Read<uint32_t>(Named("Desk mouse"), 0x004), 0u) << "an unplugged mouse is still connected";

    Replay(tree, R"("status": "no-device", "speed": "low")", R"("speed": "low")");
    Replay(tree, mouse, R"("port": 2, "speed": "low")");
    EXPECT_EQ(g_events.back().changeCode, 1);
    ExpectPublishedInvariants();
    const uint32_t record = Named("Desk mouse");
    ASSERT_NE(record, 0u) << "the name did not follow the mouse to port 2";
    EXPECT_EQ(Read<uint16_t>(record, 0x172), 2);
    EXPECT_EQ(AnsiText(Read<uint32_t>(record, 0x008)), key);

    // A mouse that stops answering stays where it was, marked, and is no plug change.
    Replay(tree, R"("port": 2, "speed": "low")", R"("port": 2, "fault": "timeout", "speed": "low")");
    EXPECT_EQ(g_events.back().changeCode, 0);
    ASSERT_NE(Read<uint32_t>(Named("Desk mouse"), 0x004), 0u) << "a mouse that does not answer is shown unplugged";
    EXPECT_EQ(Read<uint8_t>(Read<uint32_t>(Named("Desk mouse"), 0x004), 0x78), 3);
    Replay(tree, R"("fault": "timeout", )", "");

    // Only texts or health change: the program keeps what it shows.
    Replay(tree, R"("version": "10.0.19041.1", "service": "HidUsb")", R"("version": "10.0.19041.2", "service": "HidUsb")");
    EXPECT_EQ(g_events.back().changeCode, 0);
    Replay(tree, R"("service": "HidUsb")", R"("service": "HidUsb", "status": "0x01802400", "problem": 28)");
    EXPECT_EQ(g_events.back().changeCode, 0);
    EXPECT_GT(Read<uint8_t>(Read<uint32_t>(Named("Desk mouse"), 0x004), 0x78), 0);

    // When memory runs out, the program gets its structures back and the library keeps the
    // picture they show.
    ASSERT_EQ(Control("low-memory on"), "ok");
    const uint32_t root = root_;
    Replay(tree, R"("port": 2, "speed": "low")", R"("port": 2, "status": "no-device", "speed": "low")");
    EXPECT_EQ(root_, root);
    EXPECT_NE(Control("dump").find(key + " connected=yes"), std::string::npos);
    EXPECT_EQ(Control("low-memory off"), "ok");
}

}  // namespace
