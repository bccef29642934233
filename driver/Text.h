#pragma once
// UTF-8 <-> UTF-16 for the texts the library keeps; pure, no platform headers.
#include <cstdint>
#include <string>
#include <string_view>

namespace linsett {

void AppendUtf8(std::string& out, uint32_t code);

// False when the input is not valid UTF-8; out then holds what was decoded so far.
bool Utf8ToUtf16(std::string_view in, std::u16string& out);
std::u16string Widen(std::string_view utf8);  // invalid sequences become U+FFFD
std::string Narrow(std::u16string_view utf16);  // unpaired surrogates become U+FFFD

}  // namespace linsett
