#include <windows.h>

#include <cstdio>

#include "model/Report.h"

namespace report {

namespace {

bool ToSystemTime(uint64_t filetime, SYSTEMTIME& out) {
    FILETIME time{static_cast<DWORD>(filetime), static_cast<DWORD>(filetime >> 32)};
    return FileTimeToSystemTime(&time, &out) != 0;
}

}  // namespace

std::wstring Wide(const std::string& ansi) {
    if (ansi.empty()) return {};
    const int size = MultiByteToWideChar(CP_ACP, 0, ansi.data(), int(ansi.size()), nullptr, 0);
    std::wstring wide(size_t(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), int(ansi.size()), wide.data(), size);
    return wide;
}

std::string Utf8(const std::wstring& wide) {
    if (wide.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(size_t(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), utf8.data(), size, nullptr, nullptr);
    return utf8;
}

std::string IsoUtc(uint64_t filetime) {
    SYSTEMTIME t{};
    if (!ToSystemTime(filetime, t)) return {};
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u:%02uZ", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
                  t.wSecond);
    return text;
}

std::wstring LocalText(uint64_t filetime) {
    SYSTEMTIME t{};
    if (!ToSystemTime(filetime, t)) return {};
    wchar_t text[32];
    std::swprintf(text, 32, L"%04u-%02u-%02u %02u:%02u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
    return text;
}

const char* SeverityWord(uint8_t severity) {
    static const char* const words[] = {"fine", "note", "caution", "warning", "failure"};
    return severity < 5 ? words[severity] : "unknown";
}

}  // namespace report
