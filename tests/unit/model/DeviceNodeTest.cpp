// Every accessor reads the byte it should: records and nodes are filled with distinct
// values at literal offsets, independently of the program's own offset table.
#include <gtest/gtest.h>

#include <string>

#include "model/DeviceTree.h"
#include "tests/unit/model/SyntheticTopology.h"

namespace {

std::string S(const String& text) { return text.Chars(); }

class DeviceNodeFields : public ::testing::Test {
protected:
    SyntheticTopology topo;
    DeviceTree tree;
    uintptr_t deviceNode = topo.NewNode(0x83), device = topo.NewRecord(0x83, "usb-cam");
    uintptr_t hubNode = topo.NewNode(0x82), hub = topo.NewRecord(0x82, "hub-4");
    uintptr_t computerNode = topo.NewNode(0x80), system = topo.NewRecord(0x80, "Computer");
    uintptr_t adapterNode = topo.NewNode(0x81);

    void SetUp() override {
        topo.Connect(device, deviceNode);
        topo.Connect(hub, hubNode);
        topo.Connect(system, computerNode);
        topo.LinkRingA({system, hub, device});
        topo.LinkRingB({system, hub, device});
        topo.SetRoot(system, system, nullptr);
        tree.Attach(topo.TreeWindow(), topo.RootBlock());

        topo.SetWide(deviceNode, 0x18, L"CAM-200");
        topo.SetAnsi(deviceNode, 0x3C, "SN-0042");
        topo.SetU8(deviceNode, 0x51, 3);
        topo.SetU8(deviceNode, 0x5C, 1);
        topo.SetAnsi(deviceNode, 0x60, "Tarvex");
        topo.SetAnsi(deviceNode, 0x68, "2004-05-06");
        topo.SetAnsi(deviceNode, 0x70, "5.1.2600");
        topo.SetU8(deviceNode, 0x78, 3);
        topo.SetWide(deviceNode, 0x7C, L"Harmless");
        topo.SetWide(deviceNode, 0x84, L"Cam Maker");
        topo.SetU8(deviceNode, 0x88, 1);
        topo.SetWide(deviceNode, 0x8C, L"Web camera");
        topo.SetWide(deviceNode, 0x90, L"500 mA");

        topo.SetWide(hubNode, 0x1C, L"HUB-4X");
        topo.SetU8(hubNode, 0x20, 4);
        topo.SetU8(hubNode, 0x30, 2);
        topo.SetWide(hubNode, 0x34, L"Unrecognized");
        topo.SetWide(hubNode, 0x3C, L"Hub Maker");
        topo.SetU8(hubNode, 0x70, 1);
        topo.SetWide(hubNode, 0x74, L"Four-port hub");
        topo.SetWide(hubNode, 0x78, L"100 mA");

        topo.SetWide(computerNode, 0x1C, L"WORKSTATION");
        topo.SetU8(computerNode, 0x20, 4);
        topo.SetWide(computerNode, 0x24, L"Serious");
        topo.SetWide(computerNode, 0x2C, L"Advice");
        topo.SetU8(computerNode, 0x30, 2);
        topo.SetWide(computerNode, 0x34, L"Status");
    }
};

TEST_F(DeviceNodeFields, DeviceReadsEveryNodeField) {
    DeviceNode& d = *tree.HandleByRecord(device);
    EXPECT_TRUE(d.IsDevice());
    EXPECT_TRUE(d.IsConnected());
    EXPECT_TRUE(d.IsShownInMonitor());
    EXPECT_EQ(S(d.ModelNumber()), "CAM-200");
    EXPECT_EQ(S(d.SerialNumber()), "SN-0042");
    EXPECT_TRUE(d.IsSelfPowered());
    EXPECT_EQ(S(d.DriverProvider()), "Tarvex");
    EXPECT_EQ(S(d.DriverDate()), "2004-05-06");
    EXPECT_EQ(S(d.DriverVersion()), "5.1.2600");
    EXPECT_EQ(d.Severity(), 3);
    EXPECT_EQ(S(d.SeverityText()), "Harmless");
    EXPECT_EQ(S(d.HardwareManufacturer()), "Cam Maker");
    EXPECT_EQ(S(d.HardwareDescription()), "Web camera");
    EXPECT_EQ(S(d.PowerRequired()), "500 mA");
    EXPECT_EQ(d.LightLevel(), 3);  // status code 1
    EXPECT_EQ(d.PortCount(), 0);
    EXPECT_EQ(S(d.KeyName()), "usb-cam");
    EXPECT_EQ(S(d.StatusText()), "");
    EXPECT_EQ(d.SecondLevel(), 0);
}

TEST_F(DeviceNodeFields, HubReadsItsOwnOffsets) {
    DeviceNode& h = *tree.HandleByRecord(hub);
    EXPECT_TRUE(h.IsHub());
    EXPECT_FALSE(h.IsShownInMonitor());
    EXPECT_EQ(S(h.ModelNumber()), "HUB-4X");
    EXPECT_EQ(h.PortCount(), 4);
    EXPECT_EQ(h.Severity(), 2);
    EXPECT_EQ(S(h.SeverityText()), "Unrecognized");
    EXPECT_EQ(S(h.HardwareManufacturer()), "Hub Maker");
    EXPECT_TRUE(h.IsSelfPowered());
    EXPECT_EQ(S(h.HardwareDescription()), "Four-port hub");
    EXPECT_EQ(S(h.PowerRequired()), "100 mA");
    EXPECT_EQ(S(h.SerialNumber()), "N/A");  // NULL serial at 0x60
    EXPECT_EQ(S(h.DriverProvider()), "");
    EXPECT_EQ(h.LightLevel(), 5);
    EXPECT_EQ(h.IconNumber(), 0);
}

TEST_F(DeviceNodeFields, SystemRecordSpeaksForTheComputer) {
    DeviceNode& s = *tree.HandleByRecord(system);
    EXPECT_TRUE(s.IsSystem());
    EXPECT_TRUE(s.IsShownInMonitor());
    EXPECT_EQ(S(s.Name()), "WORKSTATION");
    EXPECT_EQ(S(s.KeyName()), "System");
    EXPECT_EQ(s.Severity(), 4);
    EXPECT_EQ(S(s.SeverityText()), "Serious");
    EXPECT_EQ(S(s.AdviceText()), "Advice");
    EXPECT_EQ(s.SecondLevel(), 2);
    EXPECT_EQ(S(s.StatusText()), "Status");
    EXPECT_EQ(S(s.SerialNumber()), "N/A");
    EXPECT_EQ(S(s.ModelNumber()), "");
    EXPECT_EQ(s.IconNumber(), 25);
    EXPECT_EQ(s.LightLevel(), 5);
    EXPECT_EQ(tree.SystemRecord(), &s);
}

TEST_F(DeviceNodeFields, LightLevelFollowsTheStatusCode) {
    DeviceNode& d = *tree.HandleByRecord(device);
    const int expected[] = {4, 3, 2, 1, 0};
    for (uint8_t code = 0; code <= 4; ++code) {
        topo.SetU8(deviceNode, 0x88, code);
        EXPECT_EQ(d.LightLevel(), expected[code]) << "status code " << int(code);
    }
    topo.SetU8(deviceNode, 0x88, 200);
    EXPECT_GE(d.LightLevel(), 0) << "an unknown code must stay on the light strip";
}

TEST_F(DeviceNodeFields, DisconnectedRecordReadsItsRecordOnly) {
    uintptr_t gone = topo.NewRecord(0x83, "old-printer");
    topo.SetInlineWide(gone, 0x176, L"Printer");
    topo.SetU16(gone, 0x1BA, static_cast<uint16_t>(7 << 4));
    DeviceNode& g = *tree.HandleByRecord(gone);
    EXPECT_FALSE(g.IsConnected());
    EXPECT_FALSE(g.IsShownInMonitor());
    EXPECT_EQ(g.Item(), nullptr);
    EXPECT_EQ(S(g.DefaultName()), "Printer");
    EXPECT_EQ(g.DefaultIconNumber(), 7);
    // Node answers of a disconnected record are empty, never a read through NULL.
    EXPECT_EQ(g.Severity(), 0);
    EXPECT_EQ(S(g.SerialNumber()), "N/A");
    EXPECT_EQ(S(g.ModelNumber()), "");
}

TEST_F(DeviceNodeFields, RecordFieldsAndPortDesignations) {
    DeviceNode& d = *tree.HandleByRecord(device);
    topo.SetWide(device, 0x16C, L"Root hub A");
    topo.SetU16(device, 0x172, 2);
    topo.SetU8(device, 0x175, 9);
    topo.SetInlineWide(device, 0x1BC, L"Default maker");
    topo.SetInlineWide(device, 0x240, L"Default description");
    EXPECT_EQ(S(d.UpstreamName()), "Root hub A");
    EXPECT_EQ(S(d.UpstreamHubNumber()), "9");

    struct Case {
        uint8_t type;
        const char* shown;
    } cases[] = {{0, "2"}, {1, "B"}, {2, "2"}, {3, "B"}};
    for (const Case& c : cases) {
        topo.SetU8(device, 0x174, c.type);
        EXPECT_EQ(d.PortDesignationType(), c.type);
        EXPECT_EQ(S(d.PortDesignation()), c.shown) << "designation type " << int(c.type);
    }
    EXPECT_EQ(S(d.DefaultManufacturer()), "Default maker");
    EXPECT_EQ(S(d.DefaultDescription()), "Default description");
}

TEST_F(DeviceNodeFields, FlagsIconsAndUsbVersion) {
    DeviceNode& d = *tree.HandleByRecord(device);
    DeviceNode& h = *tree.HandleByRecord(hub);
    topo.SetU16(device, 0x052, static_cast<uint16_t>(0x8000 | (13 << 4) | 2));
    EXPECT_TRUE(d.IsUsb2());
    EXPECT_EQ(d.IconNumber(), 13);
    EXPECT_EQ(d.IconGroup(), 2);
    EXPECT_FALSE(d.IsDirectHub());

    d.SetIconNumber(1023 + 1024);  // only ten bits are kept
    d.SetIconGroup(0x1F);
    EXPECT_EQ(d.IconNumber(), 1023);
    EXPECT_EQ(d.IconGroup(), 0xF);
    EXPECT_TRUE(d.IsUsb2()) << "an icon edit cleared another flag";

    topo.SetU16(hub, 0x052, 0x0010);
    EXPECT_TRUE(h.IsDirectHub());
    EXPECT_FALSE(h.IsUsb2());
    h.SetIconNumber(5);  // hubs have no icon to set
    EXPECT_EQ(h.Flags(), 0x0010);
}

TEST_F(DeviceNodeFields, UserTextsAreCutAndSized) {
    DeviceNode& d = *tree.HandleByRecord(device);
    EXPECT_EQ(S(d.Name()), "") << "no user name yet";

    struct Case {
        const char* what;
        void (DeviceNode::*set)(String);
        String (DeviceNode::*get)() const;
        uint32_t sizeOffset;
        size_t limit;
    } cases[] = {
        {"name", &DeviceNode::SetName, &DeviceNode::Name, 0x050, 32},
        {"manufacturer", &DeviceNode::SetManufacturer, &DeviceNode::Manufacturer, 0x0D6, 64},
        {"description", &DeviceNode::SetDescription, &DeviceNode::Description, 0x15A, 64},
    };
    for (const Case& c : cases) {
        std::string longText(c.limit + 8, 'x');
        longText[c.limit - 1] = 'E';
        (d.*c.set)(String(longText.c_str()));
        std::string stored = S((d.*c.get)());
        EXPECT_EQ(stored.size(), c.limit) << c.what;
        EXPECT_EQ(stored.back(), 'E') << c.what;
        EXPECT_EQ(*reinterpret_cast<uint16_t*>(device + c.sizeOffset), 2 * (c.limit + 1)) << c.what;

        (d.*c.set)(String(""));
        EXPECT_EQ(*reinterpret_cast<uint16_t*>(device + c.sizeOffset), 2u) << c.what << ": empty is still set";
        EXPECT_EQ(S((d.*c.get)()), "") << c.what;

        (d.*c.set)(String("Caf\xE9"));  // code page 1252
        EXPECT_EQ(*reinterpret_cast<uint16_t*>(device + c.sizeOffset), 10u) << c.what;
        EXPECT_EQ(S((d.*c.get)()), "Caf\xE9") << c.what;
    }
    // The neighbouring fields survive a full-length name.
    EXPECT_EQ(d.Flags() & 0x3FF0, 0);
}

TEST_F(DeviceNodeFields, WideTextsOutsideTheCodePageConvert) {
    topo.SetWide(deviceNode, 0x8C, L"Kamera \u6444\u50cf\u5934 \u00e9");
    std::string text = S(tree.HandleByRecord(device)->HardwareDescription());
    EXPECT_EQ(text.substr(0, 7), "Kamera ");
    EXPECT_EQ(text.back(), '\xE9');
    EXPECT_EQ(text.size(), 12u);
}

TEST_F(DeviceNodeFields, SameRecordSameHandleUntilDiscarded) {
    DeviceNode* first = tree.HandleByRecord(device);
    EXPECT_EQ(tree.HandleByRecord(device), first);
    EXPECT_EQ(tree.HandleByRecord(0), nullptr);
    EXPECT_EQ(first->NextInMonitorOrder(), tree.HandleByRecord(system));
}

TEST_F(DeviceNodeFields, OtherKindsGiveEmptyAnswers) {
    uintptr_t odd = topo.NewRecord(0x42, "odd");
    topo.Connect(odd, adapterNode);
    DeviceNode& o = *tree.HandleByRecord(odd);
    EXPECT_EQ(o.Severity(), 0);
    EXPECT_EQ(S(o.SeverityText()), "");
    EXPECT_EQ(S(o.SerialNumber()), "N/A");
    EXPECT_EQ(o.LightLevel(), 5);
    EXPECT_FALSE(o.IsShownInMonitor());
    EXPECT_EQ(S(o.KeyName()), "odd");
}

}  // namespace
