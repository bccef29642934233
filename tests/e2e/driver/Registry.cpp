#include "tests/e2e/driver/Registry.h"

namespace e2e::registry {
namespace {

class Key {
public:
    Key(HKEY root, const std::string& path, REGSAM access) {
        if (RegOpenKeyExA(root, path.c_str(), 0, access, &key_) != ERROR_SUCCESS) key_ = nullptr;
    }
    ~Key() {
        if (key_) RegCloseKey(key_);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    HKEY Get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

}  // namespace

bool CreateKey(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

bool DeleteTree(HKEY root, const std::string& path) {
    LSTATUS status = RegDeleteTreeA(root, path.c_str());
    if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) {
        RegDeleteKeyA(root, path.c_str());
        return !KeyExists(root, path);
    }
    return false;
}

bool KeyExists(HKEY root, const std::string& path) { return Key(root, path, KEY_READ).Get() != nullptr; }

bool SetValue(HKEY root, const std::string& path, const std::string& name, DWORD type,
              const std::vector<uint8_t>& data) {
    Key key(root, path, KEY_WRITE);
    return key.Get() && RegSetValueExA(key.Get(), name.c_str(), 0, type, data.data(),
                                       static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
}

bool SetDword(HKEY root, const std::string& path, const std::string& name, uint32_t value) {
    std::vector<uint8_t> bytes(4);
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<uint8_t>(value >> (8 * i));
    return SetValue(root, path, name, REG_DWORD, bytes);
}

bool SetString(HKEY root, const std::string& path, const std::string& name, const std::string& text) {
    std::vector<uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return SetValue(root, path, name, REG_SZ, bytes);
}

std::optional<Value> GetValue(HKEY root, const std::string& path, const std::string& name) {
    Key key(root, path, KEY_READ);
    if (!key.Get()) return std::nullopt;
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key.Get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    Value value{type, std::vector<uint8_t>(size)};
    if (RegQueryValueExA(key.Get(), name.c_str(), nullptr, &type, value.data.data(), &size) != ERROR_SUCCESS)
        return std::nullopt;
    value.data.resize(size);
    return value;
}

std::optional<uint32_t> GetDword(HKEY root, const std::string& path, const std::string& name) {
    auto value = GetValue(root, path, name);
    if (!value || value->type != REG_DWORD || value->data.size() != 4) return std::nullopt;
    return value->data[0] | value->data[1] << 8 | value->data[2] << 16 | static_cast<uint32_t>(value->data[3]) << 24;
}

}  // namespace e2e::registry
