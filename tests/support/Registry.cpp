#include "tests/support/Registry.h"

namespace e2e::registry {

bool CreateKey(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

bool DeleteTree(HKEY root, const std::string& path) {
    RegDeleteTreeA(root, path.c_str());
    RegDeleteKeyA(root, path.c_str());
    return !KeyExists(root, path);
}

bool KeyExists(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

bool SetValue(HKEY root, const std::string& path, const std::string& name, DWORD type,
              const std::vector<uint8_t>& data) {
    return RegSetKeyValueA(root, path.c_str(), name.c_str(), type, data.data(), static_cast<DWORD>(data.size())) ==
           ERROR_SUCCESS;
}

bool SetDword(HKEY root, const std::string& path, const std::string& name, uint32_t value) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(&value);
    return SetValue(root, path, name, REG_DWORD, {bytes, bytes + sizeof value});
}

bool SetString(HKEY root, const std::string& path, const std::string& name, const std::string& text) {
    return SetValue(root, path, name, REG_SZ, {text.c_str(), text.c_str() + text.size() + 1});
}

bool SetWideValue(HKEY root, const std::string& path, const std::string& name, DWORD type, const std::wstring& text) {
    const std::wstring widePath(path.begin(), path.end()), wideName(name.begin(), name.end());
    return RegSetKeyValueW(root, widePath.c_str(), wideName.c_str(), type, text.data(),
                           static_cast<DWORD>(text.size() * sizeof(wchar_t))) == ERROR_SUCCESS;
}

std::optional<Value> GetValue(HKEY root, const std::string& path, const std::string& name) {
    Value value;
    DWORD size = 0;
    const DWORD any = RRF_RT_ANY | RRF_NOEXPAND;
    if (RegGetValueA(root, path.c_str(), name.c_str(), any, &value.type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    value.data.resize(size);
    if (RegGetValueA(root, path.c_str(), name.c_str(), any, &value.type, value.data.data(), &size) != ERROR_SUCCESS)
        return std::nullopt;
    value.data.resize(size);
    return value;
}

std::optional<uint32_t> GetDword(HKEY root, const std::string& path, const std::string& name) {
    auto value = GetValue(root, path, name);
    if (!value || value->type != REG_DWORD || value->data.size() != 4) return std::nullopt;
    return *reinterpret_cast<const uint32_t*>(value->data.data());
}

}  // namespace e2e::registry
