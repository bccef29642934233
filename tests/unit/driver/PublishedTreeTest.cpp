// What the library publishes, read back by raw offset as the program reads it.
#include "driver/AnsiText.h"
#include "tests/unit/driver/LibraryHarness.h"

namespace linsett_test {
namespace {

using Published = LibraryTest;

TEST_F(Published, TreeAndRingKeepTheirRulesForTheDemoAndTheSmallScenario) {
    for (const char* scenario : {"", "test-small.json"}) {
        SCOPED_TRACE(*scenario ? scenario : "demo");
        ASSERT_NE(Start(scenario), 0u);
        ExpectPublishedInvariants();
        Stop();
    }
}

TEST_F(Published, RecordAndNodeFieldsSitAtTheirOffsets) {
    ASSERT_NE(Start("test-small.json"), 0u);
    EXPECT_EQ(Read<uint16_t>(root_, 0x0C), 50) << "light period";
    EXPECT_EQ(Read<uint8_t>(root_, 0x0E), 0);

    uint32_t computer = Read<uint32_t>(Read<uint32_t>(root_, 0x00), 0x004);
    EXPECT_EQ(ReadWideAsUtf8(Read<uint32_t>(computer, 0x1C)), "Test Bench");
    EXPECT_EQ(Read<uint8_t>(computer, 0x20), 2) << "the worst connected severity";
    EXPECT_EQ(ReadWideAsUtf8(Read<uint32_t>(computer, 0x24)), "Disk: Slow");
    EXPECT_EQ(ReadWideAsUtf8(Read<uint32_t>(computer, 0x2C)), "Nothing to do");
    EXPECT_EQ(Read<uint8_t>(computer, 0x30), 1);
    EXPECT_EQ(ReadWideAsUtf8(Read<uint32_t>(computer, 0x34)), "One adapter");

    uint32_t disk = RecordByKey("disk");
    ASSERT_NE(disk, 0u);
    EXPECT_EQ(Read<uint8_t>(disk, 0x000), 0x83);
    EXPECT_EQ(ReadWideArray(disk, 0x00E), "Disk") << "first sight: user name from the default";
    EXPECT_EQ(Read<uint16_t>(disk, 0x050), 10);
    EXPECT_EQ(Read<uint16_t>(disk, 0x052), 0x8000 | (1 << 4) | 3) << "USB 2.0, icon 1, group 3";
    EXPECT_EQ(ReadWideArray(disk, 0x054), "Bench");
    EXPECT_EQ(Read<uint16_t>(disk, 0x0D6), 12);
    EXPECT_EQ(ReadWideArray(disk, 0x0D8), "Disk");
    EXPECT_EQ(ReadWideAsUtf8(Read<uint32_t>(disk, 0x16C)), "Bench Hub");
    EXPECT_EQ(Read<uint16_t>(disk, 0x172), 1);
    EXPECT_EQ(Read<uint8_t>(disk, 0x174), 0);
    EXPECT_EQ(Read<uint8_t>(disk, 0x175), 2);
    EXPECT_EQ(ReadWideArray(disk, 0x176), "Disk");
    EXPECT_EQ(Read<uint16_t>(disk, 0x1BA) & 0x3FF0, 1 << 4);
    EXPECT_EQ(ReadWideArray(disk, 0x1BC), "Bench");
    EXPECT_EQ(ReadWideArray(disk, 0x240), "Disk");

    uint32_t node = Read<uint32_t>(disk, 0x004);
    EXPECT_EQ(Read<uint8_t>(node, 0x00), 0x83);
    EXPECT_EQ(Read<uint32_t>(node, 0x0C), disk);
    EXPECT_EQ(ReadWideAsUtf8(Read<uint32_t>(node, 0x18)), "D-1");
    EXPECT_EQ(ReadAnsi(Read<uint32_t>(node, 0x3C)), "D1-77");
    EXPECT_EQ(Read<uint8_t>(node, 0x51), 1);
    EXPECT_EQ(Read<uint8_t>(node, 0x52), 8);
    EXPECT_EQ(Read<uint8_t>(node, 0x78), 2);
    EXPECT_EQ(ReadWideAsUtf8(Read<uint32_t>(node, 0x7C)), "Slow");
    EXPECT_EQ(ReadWideAsUtf8(Read<uint32_t>(node, 0x84)), "Bench");
    EXPECT_EQ(ReadWideAsUtf8(Read<uint32_t>(node, 0x8C)), "Disk");

    uint32_t keys = Read<uint32_t>(RecordByKey("keys"), 0x004);
    EXPECT_EQ(Read<uint32_t>(keys, 0x3C), 0u) << "no serial number is NULL";
    EXPECT_EQ(ReadAnsi(Read<uint32_t>(keys, 0x60)), "Bench");
    EXPECT_EQ(ReadAnsi(Read<uint32_t>(keys, 0x68)), "1-1-2008");
    EXPECT_EQ(ReadAnsi(Read<uint32_t>(keys, 0x70)), "1.0");
    EXPECT_EQ(Read<uint16_t>(RecordByKey("keys"), 0x052) & 0x8000, 0) << "USB 1.1";
    EXPECT_EQ(Read<uint8_t>(RecordByKey("keys"), 0x174), 2) << "a port of a root hub";

    uint32_t hub = Read<uint32_t>(RecordByKey("hub"), 0x004);
    EXPECT_EQ(Read<uint16_t>(hub, 0x14), 2);
    EXPECT_EQ(ReadWideAsUtf8(Read<uint32_t>(hub, 0x1C)), "BH-3");
    EXPECT_EQ(Read<uint8_t>(hub, 0x20), 3);
    EXPECT_EQ(Read<uint8_t>(hub, 0x21), 0);
    EXPECT_EQ(Read<uint8_t>(hub, 0x26), 3);
    EXPECT_EQ(ReadAnsi(Read<uint32_t>(hub, 0x60)), "BH3-1");
    EXPECT_EQ(Read<uint8_t>(hub, 0x70), 1);
    EXPECT_EQ(ReadWideAsUtf8(Read<uint32_t>(hub, 0x74)), "Three ports");
    EXPECT_EQ(ReadWideAsUtf8(Read<uint32_t>(hub, 0x78)), "100 mA");
    EXPECT_EQ((Read<uint16_t>(RecordByKey("hub"), 0x052) >> 4) & 0x3FF, 2) << "self-powered plate";

    uint32_t rootHub = RecordByKey("root-a");
    EXPECT_EQ(Read<uint8_t>(Read<uint32_t>(rootHub, 0x004), 0x21), 1) << "root hubs show letters";
    EXPECT_EQ(Read<uint8_t>(rootHub, 0x174), 1);
    EXPECT_EQ(Read<uint16_t>(rootHub, 0x172), 1);
    EXPECT_EQ(ReadWideAsUtf8(Read<uint32_t>(rootHub, 0x16C)), "Test Host Controller");

    uint32_t phone = RecordByKey("phone");
    EXPECT_EQ(Read<uint32_t>(phone, 0x004), 0u) << "disconnected";
    EXPECT_EQ(ReadWideAsUtf8(Read<uint32_t>(phone, 0x16C)), "Bench Hub") << "where it was last seen";
    EXPECT_EQ(Read<uint16_t>(phone, 0x172), 2);
}

}  // namespace
}  // namespace linsett_test
