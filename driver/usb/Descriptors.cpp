#include "driver/usb/Descriptors.h"

#include <algorithm>
#include <cstdint>

#include "driver/usb/UsbLayouts.h"

namespace linsett::usb {

using namespace layout;

bool IsDescriptor(const uint8_t* data, size_t size, uint8_t type, size_t minimum) {
    return size >= 2 && data[1] == type && data[0] >= minimum && data[0] <= size;
}

StringIndexes ParseDeviceDescriptor(const uint8_t* data, size_t size, PortFacts& port) {
    if (size < descriptor::kDeviceSize) return {};
    port.bcdUsb = ReadU16(data + device::kBcdUsb);
    port.deviceClass = data[device::kClass];
    port.deviceSubClass = data[device::kSubClass];
    port.deviceProtocol = data[device::kProtocol];
    port.vendorId = ReadU16(data + device::kVendor);
    port.productId = ReadU16(data + device::kProduct);
    port.bcdDevice = ReadU16(data + device::kBcdDevice);
    return {data[device::kManufacturer], data[device::kProductString], data[device::kSerial]};
}

void ParseConfiguration(const uint8_t* data, size_t size, PortFacts& port) {
    if (!IsDescriptor(data, size, descriptor::kConfiguration, descriptor::kConfigurationSize)) return;
    size_t end = std::min<size_t>(size, ReadU16(data + 2));
    uint8_t attributes = data[7];
    port.selfPowered = (attributes & 0x40) != 0;
    // SuperSpeed configurations count bMaxPower in 8 mA units, the others in 2 mA.
    port.maxPowerMa = uint16_t(data[8] * (port.speed == Speed::Super ? 8 : 2));
    size_t current = SIZE_MAX;     // index into port.interfaces
    std::vector<uint8_t> numbers;  // the interface number of each entry of port.interfaces
    for (size_t at = 0; at + 2 <= end;) {
        const uint8_t* d = data + at;
        size_t length = d[0];
        if (length < 2 || length > end - at) break;  // a lying length ends the walk
        if (d[1] == descriptor::kInterface && length >= descriptor::kInterfaceSize) {
            current = size_t(std::find(numbers.begin(), numbers.end(), d[2]) - numbers.begin());
            if (current == numbers.size()) {
                numbers.push_back(d[2]);
                port.interfaces.push_back({d[5], d[6], d[7]});
            }
        } else if (d[1] == descriptor::kEndpoint && length >= descriptor::kEndpointSize &&
                   current < port.interfaces.size()) {
            InterfaceFacts& facts = port.interfaces[current];
            switch (d[3] & 3) {
            case 1: facts.isochronous = true; break;
            case 2: facts.bulk = true; break;
            default: break;
            }
            facts.largestPacket = std::max<uint16_t>(facts.largestPacket, ReadU16(d + 4) & 0x7FF);
        }
        at += length;
    }
}

std::vector<uint16_t> ParseLanguages(const uint8_t* data, size_t size) {
    std::vector<uint16_t> languages;
    if (!IsDescriptor(data, size, descriptor::kString, 4)) return languages;
    for (size_t at = 2; at + 2 <= data[0]; at += 2) languages.push_back(ReadU16(data + at));
    return languages;
}

std::optional<std::u16string> ParseString(const uint8_t* data, size_t size) {
    if (!IsDescriptor(data, size, descriptor::kString, 2)) return std::nullopt;
    std::u16string text;
    for (size_t at = 2; at + 2 <= data[0]; at += 2) text.push_back(char16_t(ReadU16(data + at)));
    return text;
}

}  // namespace linsett::usb
