#include "app/Settings.h"

#include <windows.h>

namespace Settings {
namespace {

// Open for one call only; closed on every path.
class OpenKey {
public:
    explicit OpenKey(REGSAM access) {
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, access, &key_) != ERROR_SUCCESS) key_ = nullptr;
    }
    ~OpenKey() {
        if (key_) RegCloseKey(key_);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    HKEY Get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

constexpr DWORD kTextBufferSize = 256;

}  // namespace

int32_t ReadDword(String name, int32_t defaultValue) {
    OpenKey key(KEY_READ);
    if (!key.Get()) return defaultValue;
    // Zero-filled, so a shorter value reads as its low bytes. The type is not checked.
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExA(key.Get(), name.Chars(), nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) !=
        ERROR_SUCCESS)
        return defaultValue;
    return static_cast<int32_t>(value);
}

void WriteDword(String name, int32_t value) {
    OpenKey key(KEY_WRITE);
    if (!key.Get()) return;
    DWORD data = static_cast<DWORD>(value);
    RegSetValueExA(key.Get(), name.Chars(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
}

String ReadString(String name) {
    OpenKey key(KEY_READ);
    if (!key.Get()) return String();
    String text = String::WithCapacity(kTextBufferSize);
    DWORD size = kTextBufferSize;
    if (RegQueryValueExA(key.Get(), name.Chars(), nullptr, nullptr, reinterpret_cast<BYTE*>(text.Buffer()), &size) !=
        ERROR_SUCCESS)
        return String();
    // A value stored without a terminator may fill the whole buffer.
    text.Cut(size < kTextBufferSize ? size : kTextBufferSize - 1);
    return text;
}

}  // namespace Settings
