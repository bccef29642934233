#pragma once
// The strings of a registry value as the system hands them over: bytes whose terminators and
// length nobody has checked. Pure.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace linsett::usb {

// Every string of a REG_MULTI_SZ in the first `size` bytes of data, or only the first one of a
// REG_SZ (multi false). Nothing beyond `size` is read: an odd last byte is dropped, a missing
// terminator ends the last string at the end, an empty string ends the list.
std::vector<std::u16string> SplitRegistryStrings(const uint8_t* data, size_t size, bool multi);

}  // namespace linsett::usb
