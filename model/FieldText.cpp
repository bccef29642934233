#include "model/FieldText.h"

#include <cwchar>

#include <cstring>
#include <vector>

namespace field {

String PortLetter(uint8_t number) {
    const char letter[2] = {static_cast<char>('A' + number - 1), '\0'};
    return String(letter);
}

String WideAt(bytes::Address base, uint32_t offset) {
    bytes::Address text = bytes::ReadPtr32(base, offset);
    return String(text ? reinterpret_cast<const wchar_t*>(text) : nullptr);
}

String AnsiAt(bytes::Address base, uint32_t offset, const char* nullText) {
    bytes::Address text = bytes::ReadPtr32(base, offset);
    return String(text ? reinterpret_cast<const char*>(text) : nullText);
}

String InlineWide(bytes::Address base, uint32_t offset, uint32_t capacity) {
    // The field may be unaligned and, if the library wrote it carelessly, unterminated.
    std::vector<wchar_t> units(capacity + 1, L'\0');
    std::memcpy(units.data(), bytes::At(base, offset), capacity * sizeof(wchar_t));
    return String(units.data());
}

uint16_t WriteInlineWide(bytes::Address base, uint32_t offset, uint32_t maxChars, String text) {
    text.Cut(maxChars);
    std::vector<wchar_t> units(maxChars + 1, L'\0');
    text.ToWide(units.data(), units.size());
    size_t length = std::wcslen(units.data());
    std::memcpy(reinterpret_cast<uint8_t*>(base) + offset, units.data(), (length + 1) * sizeof(wchar_t));
    return static_cast<uint16_t>((length + 1) * sizeof(wchar_t));
}

}  // namespace field
