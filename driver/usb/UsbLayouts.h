#pragma once
// Control codes, byte offsets of the hub driver's packed output structures and of the
// standard USB descriptors, and little-endian access to them. Shared by the decoder (the
// enumerator) and the replay's encoder; the real system's build checks every offset against
// the platform headers. Pure: no platform headers.
#include <cstddef>
#include <cstdint>

namespace linsett::usb::layout {

// CTL_CODE(FILE_DEVICE_USB, function, METHOD_BUFFERED, FILE_ANY_ACCESS)
constexpr uint32_t ControlCode(uint32_t function) { return 0x22u << 16 | function << 2; }

// A host controller's codes and a hub's share numbers; the device opened tells them apart.
constexpr uint32_t kGetRootHubName = ControlCode(258);
constexpr uint32_t kGetHcdDriverKeyName = ControlCode(265);
constexpr uint32_t kGetNodeInformation = ControlCode(258);
constexpr uint32_t kGetDescriptor = ControlCode(260);
constexpr uint32_t kGetConnectionName = ControlCode(261);
constexpr uint32_t kGetConnectionDriverKeyName = ControlCode(264);
constexpr uint32_t kGetConnectionInformationEx = ControlCode(274);
constexpr uint32_t kGetConnectionInformationExV2 = ControlCode(279);

// USB_NODE_INFORMATION with its hub descriptor.
namespace node {
constexpr size_t kNodeType = 0;  // 0 a hub, 1 a composite device's parent
constexpr size_t kDescriptorLength = 4;
constexpr size_t kDescriptorType = 5;
constexpr size_t kNumberOfPorts = 6;
constexpr size_t kHubCharacteristics = 7;
constexpr size_t kHubIsBusPowered = 75;
constexpr size_t kSize = 76;
}  // namespace node

// USB_NODE_CONNECTION_INFORMATION_EX, followed by its USB_PIPE_INFO entries.
namespace connection {
constexpr size_t kIndex = 0;
constexpr size_t kDeviceDescriptor = 4;
constexpr size_t kCurrentConfiguration = 22;
constexpr size_t kSpeed = 23;
constexpr size_t kDeviceIsHub = 24;
constexpr size_t kDeviceAddress = 25;
constexpr size_t kOpenPipes = 27;
constexpr size_t kStatus = 31;
constexpr size_t kSize = 35;
constexpr size_t kPipeSize = 11;  // an endpoint descriptor and a schedule offset
}  // namespace connection

// USB_NODE_CONNECTION_INFORMATION_EX_V2.
namespace connection2 {
constexpr size_t kIndex = 0;
constexpr size_t kLength = 4;
constexpr size_t kProtocols = 8;  // bit 0 USB 1.1, bit 1 USB 2.0, bit 2 USB 3
constexpr size_t kFlags = 12;     // bit 1 the device could run at SuperSpeed
constexpr size_t kSize = 16;
}  // namespace connection2

// USB_NODE_CONNECTION_NAME and USB_NODE_CONNECTION_DRIVERKEY_NAME.
namespace portName {
constexpr size_t kIndex = 0;
constexpr size_t kActualLength = 4;
constexpr size_t kName = 8;
constexpr size_t kSize = 10;
}  // namespace portName

// USB_ROOT_HUB_NAME and USB_HCD_DRIVERKEY_NAME.
namespace hcdName {
constexpr size_t kActualLength = 0;
constexpr size_t kName = 4;
constexpr size_t kSize = 6;
}  // namespace hcdName

// USB_DESCRIPTOR_REQUEST: the port, a standard GET_DESCRIPTOR setup packet, then the data.
namespace request {
constexpr size_t kIndex = 0;
constexpr size_t kRequestType = 4;
constexpr size_t kRequest = 5;
constexpr size_t kValue = 6;  // descriptor type << 8 | descriptor index
constexpr size_t kLanguage = 8;
constexpr size_t kLength = 10;
constexpr size_t kData = 12;
constexpr uint8_t kGetDescriptor = 6;
}  // namespace request

// Standard descriptor types and sizes.
namespace descriptor {
constexpr uint8_t kDevice = 1, kConfiguration = 2, kString = 3, kInterface = 4, kEndpoint = 5, kQualifier = 6;
constexpr size_t kDeviceSize = 18, kConfigurationSize = 9, kInterfaceSize = 9, kEndpointSize = 7;
constexpr size_t kQualifierSize = 10;
}  // namespace descriptor

// Offsets inside a device descriptor.
namespace device {
constexpr size_t kBcdUsb = 2, kClass = 4, kSubClass = 5, kProtocol = 6, kMaxPacket0 = 7, kVendor = 8, kProduct = 10,
                 kBcdDevice = 12, kManufacturer = 14, kProductString = 15, kSerial = 16, kConfigurations = 17;
}  // namespace device

inline uint16_t ReadU16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
inline uint32_t ReadU32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
inline void WriteU16(uint8_t* p, uint16_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}
inline void WriteU32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i));
}

}  // namespace linsett::usb::layout
