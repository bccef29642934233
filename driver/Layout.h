#pragma once
// The published structures, in their 32-bit layouts in both builds. Every "pointer" is a
// 32-bit address; the x86_64 build places everything it publishes below 4 GB.
#include <cstddef>
#include <cstdint>

namespace linsett {

enum Kind : uint8_t { kComputer = 0x80, kAdapter = 0x81, kHub = 0x82, kDevice = 0x83 };

using Addr = uint32_t;

constexpr int kNameChars = 32;
constexpr int kTextChars = 64;

struct RootBlock {
    Addr entryRecord;
    Addr monitorStart;
    uint32_t rootItem;  // low 32 bits of the root tree item
    uint16_t lightPeriodMs;
    uint8_t changeCode;
    uint8_t pad0f;
};
static_assert(offsetof(RootBlock, entryRecord) == 0x00);
static_assert(offsetof(RootBlock, monitorStart) == 0x04);
static_assert(offsetof(RootBlock, rootItem) == 0x08);
static_assert(offsetof(RootBlock, lightPeriodMs) == 0x0C);
static_assert(offsetof(RootBlock, changeCode) == 0x0E);
static_assert(sizeof(RootBlock) == 0x10);

struct ComputerNode {
    uint8_t kind;
    uint8_t pad01[11];
    Addr record;
    uint8_t pad10[12];
    Addr displayName;
    uint8_t severity;
    uint8_t pad21[3];
    Addr severityText;
    uint8_t pad28[4];
    Addr adviceText;
    uint8_t secondLevel;
    uint8_t pad31[3];
    Addr statusText;
};
static_assert(offsetof(ComputerNode, kind) == 0x00);
static_assert(offsetof(ComputerNode, record) == 0x0C);
static_assert(offsetof(ComputerNode, displayName) == 0x1C);
static_assert(offsetof(ComputerNode, severity) == 0x20);
static_assert(offsetof(ComputerNode, severityText) == 0x24);
static_assert(offsetof(ComputerNode, adviceText) == 0x2C);
static_assert(offsetof(ComputerNode, secondLevel) == 0x30);
static_assert(offsetof(ComputerNode, statusText) == 0x34);
static_assert(sizeof(ComputerNode) == 0x38);

struct AdapterNode {
    uint8_t kind;
    uint8_t pad01[11];
    Addr record;  // adapters have no record: always 0
    uint8_t pad10[12];
    uint8_t treeFlag;
    uint8_t pad1d[3];
};
static_assert(offsetof(AdapterNode, kind) == 0x00);
static_assert(offsetof(AdapterNode, record) == 0x0C);
static_assert(offsetof(AdapterNode, treeFlag) == 0x1C);
static_assert(sizeof(AdapterNode) == 0x20);

struct HubNode {
    uint8_t kind;
    uint8_t pad01[11];
    Addr record;
    uint8_t pad10[4];
    uint16_t number;
    uint8_t pad16[6];
    Addr model;
    uint8_t portCount;
    uint8_t usesLetters;
    uint8_t pad22;
    uint8_t treeFlag;
    uint8_t pad24[2];
    uint8_t typeCode;
    uint8_t pad27[9];
    uint8_t severity;
    uint8_t pad31[3];
    Addr severityText;
    uint8_t pad38[4];
    Addr manufacturer;
    uint8_t pad40[32];
    Addr serial;  // ANSI or 0
    uint8_t pad64[12];
    uint8_t selfPowered;
    uint8_t pad71[3];
    Addr description;
    Addr power;
};
static_assert(offsetof(HubNode, kind) == 0x00);
static_assert(offsetof(HubNode, record) == 0x0C);
static_assert(offsetof(HubNode, number) == 0x14);
static_assert(offsetof(HubNode, model) == 0x1C);
static_assert(offsetof(HubNode, portCount) == 0x20);
static_assert(offsetof(HubNode, usesLetters) == 0x21);
static_assert(offsetof(HubNode, treeFlag) == 0x23);
static_assert(offsetof(HubNode, typeCode) == 0x26);
static_assert(offsetof(HubNode, severity) == 0x30);
static_assert(offsetof(HubNode, severityText) == 0x34);
static_assert(offsetof(HubNode, manufacturer) == 0x3C);
static_assert(offsetof(HubNode, serial) == 0x60);
static_assert(offsetof(HubNode, selfPowered) == 0x70);
static_assert(offsetof(HubNode, description) == 0x74);
static_assert(offsetof(HubNode, power) == 0x78);
static_assert(sizeof(HubNode) == 0x7C);

struct DeviceNode {
    uint8_t kind;
    uint8_t pad01[11];
    Addr record;
    uint8_t pad10[8];
    Addr model;
    uint8_t pad1c[32];
    Addr serial;  // ANSI or 0
    uint8_t pad40[11];
    uint8_t treeFlag;
    uint8_t pad4c[5];
    uint8_t port;
    uint8_t typeCode;
    uint8_t pad53[9];
    uint8_t selfPowered;
    uint8_t pad5d[3];
    Addr driverProvider;  // ANSI
    uint8_t pad64[4];
    Addr driverDate;  // ANSI
    uint8_t pad6c[4];
    Addr driverVersion;  // ANSI
    uint8_t pad74[4];
    uint8_t severity;
    uint8_t pad79[3];
    Addr severityText;
    uint8_t pad80[4];
    Addr manufacturer;
    uint8_t statusCode;
    uint8_t pad89[3];
    Addr description;
    Addr power;
};
static_assert(offsetof(DeviceNode, kind) == 0x00);
static_assert(offsetof(DeviceNode, record) == 0x0C);
static_assert(offsetof(DeviceNode, model) == 0x18);
static_assert(offsetof(DeviceNode, serial) == 0x3C);
static_assert(offsetof(DeviceNode, treeFlag) == 0x4B);
static_assert(offsetof(DeviceNode, port) == 0x51);
static_assert(offsetof(DeviceNode, typeCode) == 0x52);
static_assert(offsetof(DeviceNode, selfPowered) == 0x5C);
static_assert(offsetof(DeviceNode, driverProvider) == 0x60);
static_assert(offsetof(DeviceNode, driverDate) == 0x68);
static_assert(offsetof(DeviceNode, driverVersion) == 0x70);
static_assert(offsetof(DeviceNode, severity) == 0x78);
static_assert(offsetof(DeviceNode, severityText) == 0x7C);
static_assert(offsetof(DeviceNode, manufacturer) == 0x84);
static_assert(offsetof(DeviceNode, statusCode) == 0x88);
static_assert(offsetof(DeviceNode, description) == 0x8C);
static_assert(offsetof(DeviceNode, power) == 0x90);
static_assert(sizeof(DeviceNode) == 0x94);

// Flags at 0x052: icon group in bits 0-3, icon number (or hub plate) in bits 4-13.
constexpr uint16_t kFlagUsb2 = 0x8000;
constexpr uint16_t kFlagDirectHub = 0x0010;
constexpr uint16_t kIconMask = 0x3FF0;
constexpr uint16_t kGroupMask = 0x000F;

struct DeviceRecord {
    uint8_t kind;
    uint8_t pad001;
    uint8_t lightSwitch;
    uint8_t pad003;
    Addr node;
    Addr keyName;  // ANSI
    uint8_t pad00c[2];
    char16_t userName[kNameChars + 1];
    uint16_t userNameSize;
    uint16_t flags;
    char16_t userManufacturer[kTextChars + 1];
    uint16_t userManufacturerSize;
    char16_t userDescription[kTextChars + 1];
    uint16_t userDescriptionSize;
    uint8_t pad15c[16];
    Addr upstreamName;  // wide
    uint8_t pad170[2];
    uint16_t port;
    uint8_t portType;
    uint8_t upstreamHubNumber;
    char16_t defaultName[kNameChars + 1];
    uint8_t pad1b8[2];
    uint16_t defaultFlags;
    char16_t defaultManufacturer[kTextChars + 1];
    uint8_t pad23e[2];
    char16_t defaultDescription[kTextChars + 1];
    uint8_t pad2c2[6];
    Addr linkB;  // list order
    Addr linkA;  // monitoring order
};
static_assert(offsetof(DeviceRecord, kind) == 0x000);
static_assert(offsetof(DeviceRecord, lightSwitch) == 0x002);
static_assert(offsetof(DeviceRecord, node) == 0x004);
static_assert(offsetof(DeviceRecord, keyName) == 0x008);
static_assert(offsetof(DeviceRecord, userName) == 0x00E);
static_assert(offsetof(DeviceRecord, userNameSize) == 0x050);
static_assert(offsetof(DeviceRecord, flags) == 0x052);
static_assert(offsetof(DeviceRecord, userManufacturer) == 0x054);
static_assert(offsetof(DeviceRecord, userManufacturerSize) == 0x0D6);
static_assert(offsetof(DeviceRecord, userDescription) == 0x0D8);
static_assert(offsetof(DeviceRecord, userDescriptionSize) == 0x15A);
static_assert(offsetof(DeviceRecord, upstreamName) == 0x16C);
static_assert(offsetof(DeviceRecord, port) == 0x172);
static_assert(offsetof(DeviceRecord, portType) == 0x174);
static_assert(offsetof(DeviceRecord, upstreamHubNumber) == 0x175);
static_assert(offsetof(DeviceRecord, defaultName) == 0x176);
static_assert(offsetof(DeviceRecord, defaultFlags) == 0x1BA);
static_assert(offsetof(DeviceRecord, defaultManufacturer) == 0x1BC);
static_assert(offsetof(DeviceRecord, defaultDescription) == 0x240);
static_assert(offsetof(DeviceRecord, linkB) == 0x2C8);
static_assert(offsetof(DeviceRecord, linkA) == 0x2CC);
static_assert(sizeof(DeviceRecord) == 0x2D0);

}  // namespace linsett
