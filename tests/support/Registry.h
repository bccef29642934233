#pragma once
#include <windows.h>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

// Registry access for tests, which play the installer: they create and remove keys
// that the program itself only reads and writes.
namespace registry {

bool CreateKey(HKEY root, const std::string& path);
bool DeleteTree(HKEY root, const std::string& path);
bool KeyExists(HKEY root, const std::string& path);

bool SetValue(HKEY root, const std::string& path, const std::string& name, DWORD type,
              const std::vector<uint8_t>& data);
bool SetDword(HKEY root, const std::string& path, const std::string& name, uint32_t value);
bool SetString(HKEY root, const std::string& path, const std::string& name, const std::string& text);
// UTF-16 as it is, terminator included only when the text holds one.
bool SetWideValue(HKEY root, const std::string& path, const std::string& name, DWORD type, const std::wstring& text);

struct Value {
    DWORD type = REG_NONE;
    std::vector<uint8_t> data;
};
std::optional<Value> GetValue(HKEY root, const std::string& path, const std::string& name);
std::optional<uint32_t> GetDword(HKEY root, const std::string& path, const std::string& name);

}  // namespace registry
}  // namespace e2e
