#include "model/DeviceNode.h"

#include <algorithm>

#include "model/DeviceTree.h"
#include "model/FieldText.h"
#include "model/Layout.h"

using bytes::ReadU16;
using bytes::ReadU8;
namespace rec = layout::record;

namespace {
const char* const kNotAvailable = "N/A";
}  // namespace

uint8_t DeviceNode::Kind() const { return ReadU8(record_, rec::kKind); }
bool DeviceNode::IsSystem() const { return Kind() == layout::kComputer; }
bool DeviceNode::IsHub() const { return Kind() == layout::kHub; }
bool DeviceNode::IsDevice() const { return Kind() == layout::kDevice; }
bool DeviceNode::IsConnected() const { return NodeAddress() != 0; }
bool DeviceNode::IsShownInMonitor() const { return IsSystem() || (IsDevice() && IsConnected()); }
bytes::Address DeviceNode::NodeAddress() const { return bytes::ReadPtr32(record_, rec::kNode); }

// Node fields of a disconnected record read as empty values rather than through NULL.
uint8_t DeviceNode::NodeU8(uint32_t offset) const {
    bytes::Address node = NodeAddress();
    return node ? ReadU8(node, offset) : 0;
}
String DeviceNode::NodeWide(uint32_t offset) const {
    bytes::Address node = NodeAddress();
    return node ? field::WideAt(node, offset) : String();
}
String DeviceNode::NodeAnsi(uint32_t offset, const char* nullText) const {
    bytes::Address node = NodeAddress();
    return node ? field::AnsiAt(node, offset, nullText) : String(nullText);
}

String DeviceNode::Name() const {
    if (IsSystem()) return NodeWide(layout::computer::kDisplayName);
    if (ReadU16(record_, rec::kUserNameSize) == 0) return String();
    return field::InlineWide(record_, rec::kUserName, rec::kNameChars + 1);
}

String DeviceNode::Manufacturer() const {
    if (ReadU16(record_, rec::kUserManufacturerSize) == 0) return String();
    return field::InlineWide(record_, rec::kUserManufacturer, rec::kTextChars + 1);
}

String DeviceNode::Description() const {
    if (ReadU16(record_, rec::kUserDescriptionSize) == 0) return String();
    return field::InlineWide(record_, rec::kUserDescription, rec::kTextChars + 1);
}

String DeviceNode::KeyName() const {
    if (IsSystem()) return String("System");
    return field::AnsiAt(record_, rec::kKeyName);
}

uint8_t DeviceNode::Severity() const {
    switch (Kind()) {
    case layout::kDevice: return NodeU8(layout::device::kSeverity);
    case layout::kHub: return NodeU8(layout::hub::kSeverity);
    case layout::kComputer: return NodeU8(layout::computer::kSeverity);
    default: return 0;
    }
}

String DeviceNode::SeverityText() const {
    switch (Kind()) {
    case layout::kDevice: return NodeWide(layout::device::kSeverityText);
    case layout::kHub: return NodeWide(layout::hub::kSeverityText);
    case layout::kComputer: return NodeWide(layout::computer::kSeverityText);
    default: return String();
    }
}

uint8_t DeviceNode::SecondLevel() const {
    return IsSystem() ? NodeU8(layout::computer::kSecondLevel) : 0;
}
String DeviceNode::StatusText() const {
    return IsSystem() ? NodeWide(layout::computer::kStatusText) : String();
}
String DeviceNode::AdviceText() const {
    return IsSystem() ? NodeWide(layout::computer::kAdviceText) : String();
}

int DeviceNode::LightLevel() const {
    if (!IsDevice()) return 5;
    // Codes beyond 4 have no level of their own; keep them on the scale.
    return 4 - std::min<int>(NodeU8(layout::device::kStatusCode), 4);
}

String DeviceNode::ModelNumber() const {
    if (IsDevice()) return NodeWide(layout::device::kModel);
    if (IsHub()) return NodeWide(layout::hub::kModel);
    return String();
}

String DeviceNode::SerialNumber() const {
    if (IsDevice()) return NodeAnsi(layout::device::kSerial, kNotAvailable);
    if (IsHub()) return NodeAnsi(layout::hub::kSerial, kNotAvailable);
    return String(kNotAvailable);
}

bool DeviceNode::IsSelfPowered() const {
    if (IsDevice()) return NodeU8(layout::device::kSelfPowered) != 0;
    if (IsHub()) return NodeU8(layout::hub::kSelfPowered) != 0;
    return false;
}

String DeviceNode::PowerRequired() const {
    if (IsDevice()) return NodeWide(layout::device::kPower);
    if (IsHub()) return NodeWide(layout::hub::kPower);
    return String();
}

String DeviceNode::HardwareManufacturer() const {
    if (IsDevice()) return NodeWide(layout::device::kManufacturer);
    if (IsHub()) return NodeWide(layout::hub::kManufacturer);
    return String();
}

String DeviceNode::HardwareDescription() const {
    if (IsDevice()) return NodeWide(layout::device::kDescription);
    if (IsHub()) return NodeWide(layout::hub::kDescription);
    return String();
}

String DeviceNode::DriverProvider() const {
    return IsDevice() ? NodeAnsi(layout::device::kDriverProvider, "") : String();
}
String DeviceNode::DriverDate() const {
    return IsDevice() ? NodeAnsi(layout::device::kDriverDate, "") : String();
}
String DeviceNode::DriverVersion() const {
    return IsDevice() ? NodeAnsi(layout::device::kDriverVersion, "") : String();
}

int DeviceNode::PortCount() const { return IsHub() ? NodeU8(layout::hub::kPortCount) : 0; }

uint16_t DeviceNode::Flags() const { return ReadU16(record_, rec::kFlags); }
bool DeviceNode::IsUsb2() const { return (Flags() & layout::flags::kUsb2) != 0; }
bool DeviceNode::IsDirectHub() const { return IsHub() && (Flags() & layout::flags::kDirectHub) != 0; }

int DeviceNode::IconNumber() const {
    if (IsSystem()) return 25;
    if (!IsDevice()) return 0;
    return (Flags() & layout::flags::kIconNumberMask) >> layout::flags::kIconNumberShift;
}

int DeviceNode::IconGroup() const { return IsDevice() ? Flags() & layout::flags::kIconGroupMask : 0; }

String DeviceNode::UpstreamName() const { return field::WideAt(record_, rec::kUpstreamName); }

String DeviceNode::PortDesignation() const {
    uint8_t type = PortDesignationType();
    if (type == 1 || type == 3) return field::PortLetter(ReadU8(record_, rec::kPort));
    return String::FromInt(ReadU16(record_, rec::kPort));
}

String DeviceNode::UpstreamHubNumber() const { return String::FromInt(ReadU8(record_, rec::kUpstreamHubNumber)); }
uint8_t DeviceNode::PortDesignationType() const { return ReadU8(record_, rec::kPortDesignationType); }

String DeviceNode::DefaultName() const { return field::InlineWide(record_, rec::kDefaultName, rec::kNameChars + 1); }
String DeviceNode::DefaultManufacturer() const {
    return field::InlineWide(record_, rec::kDefaultManufacturer, rec::kTextChars + 1);
}
String DeviceNode::DefaultDescription() const {
    return field::InlineWide(record_, rec::kDefaultDescription, rec::kTextChars + 1);
}
int DeviceNode::DefaultIconNumber() const {
    return (ReadU16(record_, rec::kDefaultFlags) & layout::flags::kIconNumberMask) >> layout::flags::kIconNumberShift;
}

bool DeviceNode::LightSwitch() const { return ReadU8(record_, rec::kLightSwitch) != 0; }
void DeviceNode::SetLightSwitch(bool on) { bytes::WriteU8(record_, rec::kLightSwitch, on ? 1 : 0); }

void DeviceNode::SetName(String text) {
    uint16_t size = field::WriteInlineWide(record_, rec::kUserName, rec::kNameChars, std::move(text));
    bytes::WriteU16(record_, rec::kUserNameSize, size);
}

void DeviceNode::SetManufacturer(String text) {
    uint16_t size = field::WriteInlineWide(record_, rec::kUserManufacturer, rec::kTextChars, std::move(text));
    bytes::WriteU16(record_, rec::kUserManufacturerSize, size);
}

void DeviceNode::SetDescription(String text) {
    uint16_t size = field::WriteInlineWide(record_, rec::kUserDescription, rec::kTextChars, std::move(text));
    bytes::WriteU16(record_, rec::kUserDescriptionSize, size);
}

void DeviceNode::SetIconNumber(int number) {
    if (!IsDevice()) return;
    uint16_t icon = static_cast<uint16_t>((number & 0x3FF) << layout::flags::kIconNumberShift);
    bytes::WriteU16(record_, rec::kFlags, static_cast<uint16_t>((Flags() & ~layout::flags::kIconNumberMask) | icon));
}

void DeviceNode::SetIconGroup(int group) {
    if (!IsDevice()) return;
    uint16_t bits = static_cast<uint16_t>(group & layout::flags::kIconGroupMask);
    bytes::WriteU16(record_, rec::kFlags, static_cast<uint16_t>((Flags() & ~layout::flags::kIconGroupMask) | bits));
}

TopologyItem* DeviceNode::Item() const { return tree_.ItemByNode(NodeAddress()); }
DeviceNode* DeviceNode::NextInMonitorOrder() const { return tree_.HandleByRecord(bytes::ReadPtr32(record_, rec::kLinkA)); }
DeviceNode* DeviceNode::NextInListOrder() const { return tree_.HandleByRecord(bytes::ReadPtr32(record_, rec::kLinkB)); }
