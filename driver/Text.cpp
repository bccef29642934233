#include "driver/Text.h"

#include <cstdint>

namespace linsett {

namespace {

// Decodes one code point at in[pos]; false (and pos past the bad byte) on a bad sequence.
bool DecodeOne(std::string_view in, size_t& pos, uint32_t& code) {
    auto byte = [&](size_t i) { return static_cast<uint8_t>(in[i]); };
    uint8_t lead = byte(pos++);
    int extra = 0;
    uint32_t minimum = 0;
    if (lead < 0x80) { code = lead; return true; }
    if ((lead & 0xE0) == 0xC0) { code = lead & 0x1F; extra = 1; minimum = 0x80; }
    else if ((lead & 0xF0) == 0xE0) { code = lead & 0x0F; extra = 2; minimum = 0x800; }
    else if ((lead & 0xF8) == 0xF0) { code = lead & 0x07; extra = 3; minimum = 0x10000; }
    else return false;
    for (int i = 0; i < extra; ++i) {
        if (pos >= in.size() || (byte(pos) & 0xC0) != 0x80) return false;
        code = (code << 6) | (byte(pos++) & 0x3F);
    }
    return code >= minimum && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
}

void AppendUtf16(std::u16string& out, uint32_t code) {
    if (code < 0x10000) {
        out += static_cast<char16_t>(code);
    } else {
        code -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (code >> 10));
        out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
    }
}

}  // namespace

void AppendUtf8(std::string& out, uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

bool Utf8ToUtf16(std::string_view in, std::u16string& out) {
    out.clear();
    size_t pos = 0;
    while (pos < in.size()) {
        uint32_t code = 0;
        if (!DecodeOne(in, pos, code)) return false;
        AppendUtf16(out, code);
    }
    return true;
}

std::u16string Widen(std::string_view utf8) {
    std::u16string out;
    size_t pos = 0;
    while (pos < utf8.size()) {
        uint32_t code = 0;
        AppendUtf16(out, DecodeOne(utf8, pos, code) ? code : 0xFFFD);
    }
    return out;
}

std::string Narrow(std::u16string_view utf16) {
    std::string out;
    for (size_t i = 0; i < utf16.size(); ++i) {
        uint32_t code = utf16[i];
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (utf16[++i] - 0xDC00);
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = 0xFFFD;
        }
        AppendUtf8(out, code);
    }
    return out;
}

}  // namespace linsett
