#pragma once
// Decoding of the standard descriptors a device returns. Every function reads only the
// `size` bytes it is given, whatever the descriptors' own length fields claim.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "driver/usb/Snapshot.h"

namespace linsett::usb {

// The device descriptor's identity and class fields; the string indexes come back.
struct StringIndexes {
    uint8_t manufacturer = 0, product = 0, serial = 0;
};
StringIndexes ParseDeviceDescriptor(const uint8_t* data, size_t size, PortFacts& port);

// A configuration descriptor with everything that follows it: the port's interfaces (one per
// interface number, alternate settings merged), power and whether it powers itself.
void ParseConfiguration(const uint8_t* data, size_t size, PortFacts& port);

// String descriptor 0: the languages the device speaks.
std::vector<uint16_t> ParseLanguages(const uint8_t* data, size_t size);
// Any other string descriptor; nothing when it is not one.
std::optional<std::u16string> ParseString(const uint8_t* data, size_t size);

// A descriptor header of the given type whose claimed length fits and is at least minimum.
bool IsDescriptor(const uint8_t* data, size_t size, uint8_t type, size_t minimum);

}  // namespace linsett::usb
