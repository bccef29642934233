#include "base/Settings.h"

#include <windows.h>

namespace Settings {
namespace {

constexpr DWORD kTextCharacters = 256;

// Reads go through one handle kept open per key: the light tick asks for a setting ten
// times a second, and opening the key each time tripled the cost. A key deleted and created
// again under the open handle answers ERROR_KEY_DELETED, and the handle is opened afresh.
class ReadKey {
public:
    explicit ReadKey(HKEY root) : root_(root) {}
    ~ReadKey() { Close(); }
    ReadKey(const ReadKey&) = delete;
    ReadKey& operator=(const ReadKey&) = delete;

    template <typename Query>
    LONG Run(Query query) {
        for (int attempt = 0; attempt < 2; ++attempt) {
            if (!key_ && RegOpenKeyExA(root_, kKeyPath, 0, KEY_READ, &key_) != ERROR_SUCCESS) {
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
    HKEY root_;
    HKEY key_ = nullptr;
};

ReadKey& UserKey() {
    static ReadKey key(HKEY_CURRENT_USER);
    return key;
}

ReadKey& MachineKey() {
    static ReadKey key(HKEY_LOCAL_MACHINE);
    return key;
}

bool QueryDword(ReadKey& key, const String& name, DWORD& value) {
    return key.Run([&](HKEY open) {
        DWORD size = sizeof value;
        value = 0;  // a shorter value reads as its low bytes; the type is not checked
        return RegQueryValueExA(open, name.Chars(), nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
    }) == ERROR_SUCCESS;
}

}  // namespace

int32_t ReadDword(String name, int32_t defaultValue) {
    DWORD value = 0;
    if (QueryDword(UserKey(), name, value) || QueryDword(MachineKey(), name, value)) return static_cast<int32_t>(value);
    return defaultValue;
}

void WriteDword(String name, int32_t value) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kKeyPath, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    DWORD data = static_cast<DWORD>(value);
    RegSetValueExA(key, name.Chars(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
    RegCloseKey(key);
}

namespace {
constexpr const char* kSides[4] = {".left", ".top", ".right", ".bottom"};
}  // namespace

RECT ReadPlacement(const char* window, RECT defaults) {
    LONG* sides[4] = {&defaults.left, &defaults.top, &defaults.right, &defaults.bottom};
    for (int i = 0; i < 4; ++i) *sides[i] = ReadDword(String(window) + kSides[i], *sides[i]);
    return defaults;
}

void WritePlacement(const char* window, RECT placement) {
    const LONG sides[4] = {placement.left, placement.top, placement.right, placement.bottom};
    for (int i = 0; i < 4; ++i) WriteDword(String(window) + kSides[i], sides[i]);
}

std::wstring ReadInstallationText(const char* name) {
    wchar_t text[kTextCharacters] = {};
    DWORD size = 0;
    const std::wstring wideName(name, name + lstrlenA(name));  // value names are plain ASCII
    const LONG result = MachineKey().Run([&](HKEY open) {
        size = sizeof text;
        return RegQueryValueExW(open, wideName.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
    });
    if (result != ERROR_SUCCESS) return {};
    // A value stored without a terminator may fill the whole buffer; the text ends at its
    // first terminator either way.
    size_t length = size / sizeof(wchar_t);
    if (length >= kTextCharacters) length = kTextCharacters - 1;
    return std::wstring(text, wcsnlen(text, length));
}

namespace {
bool IsOn(const char* name) { return ReadDword(name, 1) != 0; }
}  // namespace

bool ShowTransmissionLight() { return IsOn(kShowTransmissionLight); }
bool AlwaysOnTop() { return IsOn(kAlwaysOnTop); }
bool AutoLaunch() { return IsOn(kAutoLaunch); }
int32_t Notifications() { return ReadDword(kNotifications, 1); }
void WriteSwitch(const char* name, bool on) { WriteDword(name, on ? 1 : 0); }

}  // namespace Settings
