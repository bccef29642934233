#include "driver/usb/Words.h"

#include <cstdint>
#include <cstdio>

#include "driver/Layout.h"
#include "driver/Text.h"

namespace linsett::usb {

namespace {

bool HighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

bool Reserved(const std::string& key) {
    std::string lower;
    for (char c : key) lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    return lower == "system" || lower == "computer";
}

}  // namespace

std::string Clip(std::u16string_view text, size_t maxUnits, bool ellipsis) {
    if (text.size() <= maxUnits) return Narrow(text);
    size_t keep = ellipsis && maxUnits > 0 ? maxUnits - 1 : maxUnits;
    if (keep > 0 && HighSurrogate(text[keep - 1])) --keep;
    std::u16string cut(text.substr(0, keep));
    while (!cut.empty() && cut.back() == u' ') cut.pop_back();
    if (ellipsis) cut += u'\u2026';
    return Narrow(cut);
}

std::string Clip(std::string_view utf8, size_t maxUnits) { return Clip(Widen(utf8), maxUnits); }

std::u16string Trimmed(std::u16string_view text) {
    auto blank = [](char16_t c) { return c == u' ' || c == 0 || c == u'\t' || c == u'\r' || c == u'\n'; };
    size_t begin = 0, end = text.size();
    while (begin < end && blank(text[begin])) ++begin;
    while (end > begin && blank(text[end - 1])) --end;
    return std::u16string(text.substr(begin, end - begin));
}

std::string KeyWord(std::string_view text) {
    std::string word;
    for (char c : text) {
        bool kept = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '.';
        if (kept) word += c;
        else if (!word.empty() && word.back() != '-') word += '-';
    }
    while (!word.empty() && word.back() == '-') word.pop_back();
    if (word.empty()) word = "usb";
    if (word.size() <= static_cast<size_t>(kNameChars)) return word;
    // FNV-1a of the whole text: two long words that share their start still differ.
    uint32_t hash = 2166136261u;
    for (char c : text) hash = (hash ^ static_cast<uint8_t>(c)) * 16777619u;
    char tail[10];
    std::snprintf(tail, sizeof tail, "-%08X", static_cast<unsigned>(hash));
    word.resize(kNameChars - 9);
    while (!word.empty() && word.back() == '-') word.pop_back();
    return word + tail;
}

std::string KeyBook::Take(std::string_view text) {
    std::string key = KeyWord(text);
    for (int n = 2; Taken(key) || Reserved(key); ++n) key = KeyWord(std::string(text) + "-" + std::to_string(n));
    taken_.insert(key);
    return key;
}

}  // namespace linsett::usb
