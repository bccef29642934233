#pragma once
// The system code page form of a text, as the program's tree reads item texts.
#include <string>
#include <string_view>

namespace linsett {

std::string ToAnsi(std::u16string_view text);
std::string Utf8ToAnsi(std::string_view utf8);
std::string AnsiToUtf8(std::string_view ansi);

}  // namespace linsett
