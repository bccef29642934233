// Each accessor reads its own field, filled at a literal offset rather than from the program's table.
#include <gtest/gtest.h>
#include <string>
#include "model/DeviceTree.h"
#include "tests/unit/model/SyntheticTopology.h"

namespace {

using D = DeviceNode;
std::string S(const String& text) { return text.Chars(); }

class DeviceNodeFields : public ::testing::Test {
protected:
    SyntheticTopology topo;
    DeviceTree tree;
    uintptr_t node = 0;  // of the record last made
    DeviceNode& Make(uint8_t k) { return *tree.HandleByRecord(topo.NewRecord(k, "key", node = topo.NewNode(k))); }
};

TEST_F(DeviceNodeFields, FieldsReadTheirOwnOffsetsAndOtherKindsGiveEmptyAnswers) {
    struct Case { uint8_t kind; uint32_t offset; bool wide; String (D::*get)() const; } cases[] = {
        {0x83, 0x18, 1, &D::ModelNumber}, {0x83, 0x3C, 0, &D::SerialNumber}, {0x83, 0x7C, 1, &D::SeverityText},
        {0x83, 0x84, 1, &D::HardwareManufacturer}, {0x83, 0x70, 0, &D::DriverVersion},
        {0x82, 0x1C, 1, &D::ModelNumber}, {0x82, 0x60, 0, &D::SerialNumber}, {0x82, 0x34, 1, &D::SeverityText},
        {0x82, 0x3C, 1, &D::HardwareManufacturer}, {0x80, 0x1C, 1, &D::Name}, {0x80, 0x24, 1, &D::SeverityText}};
    for (const Case& c : cases) {
        DeviceNode& d = Make(c.kind);
        c.wide ? topo.SetWide(node, c.offset, L"text") : topo.SetAnsi(node, c.offset, "text");
        EXPECT_EQ(S((d.*c.get)()), "text") << int(c.kind) << " at " << c.offset;
    }
    using Get = int (*)(const DeviceNode&);
    Get severity = [](const DeviceNode& d) { return int(d.Severity()); };
    Get selfPowered = [](const DeviceNode& d) { return int(d.IsSelfPowered()); };
    Get light = [](const DeviceNode& d) { return d.LightLevel(); };
    struct Number { uint8_t kind; uint32_t offset; uint8_t value; Get get; int expected; } numbers[] = {
        {0x83, 0x78, 3, severity, 3}, {0x83, 0x5C, 1, selfPowered, 1}, {0x83, 0x88, 0, light, 4},
        {0x83, 0x88, 3, light, 1},    {0x83, 0x88, 200, light, 0},  // unknown codes stay on the strip
        {0x82, 0x30, 2, severity, 2}, {0x82, 0x70, 1, selfPowered, 1}, {0x80, 0x20, 4, severity, 4}};
    for (const Number& c : numbers) {
        DeviceNode& d = Make(c.kind);
        topo.SetU8(node, c.offset, c.value);
        EXPECT_EQ(c.get(d), c.expected) << int(c.kind) << " at " << c.offset;
    }

    // Kinds without the field, and a disconnected record: its node answers are empty.
    DeviceNode& gone = *tree.HandleByRecord(topo.NewRecord(0x83, "gone"));
    const auto summary = [](DeviceNode& d) {
        return std::to_string(d.IsShownInMonitor()) + " " + std::to_string(d.LightLevel()) + " " +
               std::to_string(d.IconNumber()) + " " + S(d.KeyName()) + " " + S(d.SerialNumber());
    };
    EXPECT_EQ(summary(Make(0x80)), "1 5 25 System N/A");
    EXPECT_EQ(summary(Make(0x82)), "0 5 0 key N/A");
    EXPECT_EQ(summary(gone), "0 4 0 gone N/A");
    // Record fields stay valid while disconnected.
    topo.SetU8(gone.Record(), 0x175, 9);
    topo.SetU16(gone.Record(), 0x172, 2);
    std::string ports;
    for (uint8_t type = 0; type < 4; ++type) {
        topo.SetU8(gone.Record(), 0x174, type);
        ports += S(gone.PortDesignation()) + "/" + S(gone.UpstreamHubNumber()) + " ";
    }
    EXPECT_EQ(ports, "2/9 B/9 2/9 B/9 ");  // designation types 1 and 3 are letters
}

TEST_F(DeviceNodeFields, EditsKeepTheOtherFlagsAndSizeTheirTexts) {
    DeviceNode& d = Make(0x83);
    topo.SetU16(d.Record(), 0x052, 0x8000 | (13 << 4) | 2);
    EXPECT_EQ(d.IconNumber() * 100 + d.IconGroup(), 1302);
    d.SetIconNumber(1023 + 1024);  // only ten bits are kept
    d.SetIconGroup(0x1F);
    EXPECT_EQ(d.Flags(), 0x8000 | (1023 << 4) | 0xF);

    struct Case { void (D::*set)(String); String (D::*get)() const; uint32_t sizeOffset; size_t limit; } cases[] = {
        {&D::SetName, &D::Name, 0x050, 32}, {&D::SetManufacturer, &D::Manufacturer, 0x0D6, 64},
        {&D::SetDescription, &D::Description, 0x15A, 64}};
    for (const Case& c : cases) {
        const std::string text(c.limit + 8, 'x');
        (d.*c.set)(String(text.c_str()));
        EXPECT_EQ(S((d.*c.get)()), text.substr(0, c.limit));
        EXPECT_EQ(*reinterpret_cast<uint16_t*>(d.Record() + c.sizeOffset), 2 * (c.limit + 1)) << "with terminator";
    }
    EXPECT_EQ(d.Flags(), 0x8000 | (1023 << 4) | 0xF) << "a full-length name overwrote the flags";
}

}  // namespace
