#include "driver/usb/RegistryText.h"

namespace linsett::usb {

std::vector<std::u16string> SplitRegistryStrings(const uint8_t* data, size_t size, bool multi) {
    std::vector<std::u16string> strings;
    std::u16string current;
    for (size_t at = 0; at + 2 <= size; at += 2) {
        char16_t c = char16_t(data[at] | data[at + 1] << 8);
        if (c) {
            current.push_back(c);
            continue;
        }
        if (current.empty()) return strings;
        strings.push_back(std::move(current));
        current.clear();
        if (!multi) return strings;
    }
    if (!current.empty()) strings.push_back(std::move(current));
    return strings;
}

}  // namespace linsett::usb
