#include "base/Settings.h"

#include <windows.h>

namespace Settings {
namespace {

// Open for one write only; closed on every path.
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

// Reads go through one handle kept open: the light tick asks for a setting ten times a
// second, and opening the key each time tripled the cost. A key deleted and created again
// under the open handle answers ERROR_KEY_DELETED, and the handle is opened afresh.
class ReadKey {
public:
    ~ReadKey() { Close(); }
    template <typename Query>
    LONG Run(Query query) {
        for (int attempt = 0; attempt < 2; ++attempt) {
            if (!key_ && RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, KEY_READ, &key_) != ERROR_SUCCESS) {
                key_ = nullptr;
                return ERROR_FILE_NOT_FOUND;
            }
            const LONG result = query(key_);
            if (result != ERROR_KEY_DELETED && result != ERROR_INVALID_HANDLE) return result;
            Close();
        }
        return ERROR_KEY_DELETED;
    }

private:
    void Close() {
        if (key_) RegCloseKey(key_);
        key_ = nullptr;
    }
    HKEY key_ = nullptr;
};

LONG QueryValue(const String& name, void* data, DWORD* size) {
    static ReadKey key;
    const DWORD capacity = *size;
    return key.Run([&](HKEY open) {
        *size = capacity;
        return RegQueryValueExA(open, name.Chars(), nullptr, nullptr, static_cast<BYTE*>(data), size);
    });
}

}  // namespace

int32_t ReadDword(String name, int32_t defaultValue) {
    // Zero-filled, so a shorter value reads as its low bytes. The type is not checked.
    DWORD value = 0;
    DWORD size = sizeof value;
    if (QueryValue(name, &value, &size) != ERROR_SUCCESS) return defaultValue;
    return static_cast<int32_t>(value);
}

void WriteDword(String name, int32_t value) {
    OpenKey key(KEY_WRITE);
    if (!key.Get()) return;
    DWORD data = static_cast<DWORD>(value);
    RegSetValueExA(key.Get(), name.Chars(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
}

String ReadString(String name) {
    String text = String::WithCapacity(kTextBufferSize);
    DWORD size = kTextBufferSize;
    if (QueryValue(name, text.Buffer(), &size) != ERROR_SUCCESS) return String();
    // A value stored without a terminator may fill the whole buffer.
    text.Cut(size < kTextBufferSize ? size : kTextBufferSize - 1);
    return text;
}

namespace {
bool IsOn(const char* name) { return ReadDword(name, 1) != 0; }
}  // namespace

bool ShowTransmissionLight() { return IsOn(kShowTransmissionLight); }
bool AlwaysOnTop() { return IsOn(kAlwaysOnTop); }
bool AutoLaunch() { return IsOn(kAutoLaunch); }
void WriteSwitch(const char* name, bool on) { WriteDword(name, on ? 1 : 0); }

}  // namespace Settings
