#pragma once
#include <cstdint>

// Offsets of the driver-interface library's structures (32-bit layouts, little-endian).
namespace layout {

enum Kind : uint8_t { kComputer = 0x80, kAdapter = 0x81, kHub = 0x82, kDevice = 0x83 };

namespace root {
constexpr uint32_t kEntryRecord = 0x00, kMonitorStart = 0x04, kRootItem = 0x08, kLightPeriod = 0x0C,
                   kChangeCode = 0x0E;
}

namespace node {
constexpr uint32_t kKind = 0x00, kRecord = 0x0C;
}

namespace computer {
constexpr uint32_t kDisplayName = 0x1C, kSeverity = 0x20, kSeverityText = 0x24, kAdviceText = 0x2C,
                   kSecondLevel = 0x30, kStatusText = 0x34;
}

namespace adapter {
constexpr uint32_t kTreeFlag = 0x1C;
}

namespace hub {
constexpr uint32_t kNumber = 0x14, kModel = 0x1C, kPortCount = 0x20, kUsesLetters = 0x21, kTreeFlag = 0x23,
                   kTypeCode = 0x26, kSeverity = 0x30, kSeverityText = 0x34, kManufacturer = 0x3C, kSerial = 0x60,
                   kSelfPowered = 0x70, kDescription = 0x74, kPower = 0x78;
}

namespace device {
constexpr uint32_t kModel = 0x18, kSerial = 0x3C, kTreeFlag = 0x4B, kPort = 0x51, kTypeCode = 0x52,
                   kSelfPowered = 0x5C, kDriverProvider = 0x60, kDriverDate = 0x68, kDriverVersion = 0x70,
                   kSeverity = 0x78, kSeverityText = 0x7C, kManufacturer = 0x84, kStatusCode = 0x88,
                   kDescription = 0x8C, kPower = 0x90;
}

namespace record {
constexpr uint32_t kKind = 0x000, kLightSwitch = 0x002, kNode = 0x004, kKeyName = 0x008, kUserName = 0x00E,
                   kUserNameSize = 0x050, kFlags = 0x052, kUserManufacturer = 0x054, kUserManufacturerSize = 0x0D6,
                   kUserDescription = 0x0D8, kUserDescriptionSize = 0x15A, kUpstreamName = 0x16C, kPort = 0x172,
                   kPortDesignationType = 0x174, kUpstreamHubNumber = 0x175, kDefaultName = 0x176,
                   kDefaultFlags = 0x1BA, kDefaultManufacturer = 0x1BC, kDefaultDescription = 0x240, kLinkB = 0x2C8,
                   kLinkA = 0x2CC;
constexpr uint32_t kSize = 0x2D0;
// Characters a user text may hold, without its terminator.
constexpr uint32_t kNameChars = 32, kTextChars = 64;
}  // namespace record

namespace flags {
constexpr uint16_t kIconGroupMask = 0x000F, kIconNumberMask = 0x3FF0, kDirectHub = 0x0010, kUsb2 = 0x8000;
constexpr int kIconNumberShift = 4;
}  // namespace flags

}  // namespace layout
