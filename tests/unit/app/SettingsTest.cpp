// The settings store against the test prefix's real registry. The tests play the
// installer: they create the key first and remove it afterwards.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "base/Settings.h"
#include "tests/e2e/driver/Registry.h"

namespace {

namespace reg = e2e::registry;
const std::string kKey = Settings::kKeyPath;
const std::string kVendorKey = "Software\\Tarvex";

class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override {
        reg::DeleteTree(HKEY_LOCAL_MACHINE, kVendorKey);
        ASSERT_TRUE(reg::CreateKey(HKEY_LOCAL_MACHINE, kKey));
    }
    void TearDown() override { reg::DeleteTree(HKEY_LOCAL_MACHINE, kVendorKey); }

    static void Store(const char* name, DWORD type, std::vector<uint8_t> bytes) {
        ASSERT_TRUE(reg::SetValue(HKEY_LOCAL_MACHINE, kKey, name, type, bytes));
    }
};

TEST_F(SettingsStore, MissingKeyGivesDefaultsAndIsNeverCreated) {
    reg::DeleteTree(HKEY_LOCAL_MACHINE, kVendorKey);
    EXPECT_EQ(Settings::ReadDword("Monitor.left", 10), 10);
    EXPECT_EQ(Settings::ReadDword("AlertSensitivity", 0), 0);
    EXPECT_TRUE(Settings::ReadString("InstallPath").Empty());
    Settings::WriteDword("AlwaysOnTop", 0);
    EXPECT_FALSE(reg::KeyExists(HKEY_LOCAL_MACHINE, kKey)) << "a write created the key";
    EXPECT_FALSE(reg::KeyExists(HKEY_LOCAL_MACHINE, kVendorKey));
}

TEST_F(SettingsStore, EmptyKeyGivesEachCallersDefault) {
    struct Case {
        const char* name;
        int32_t fallback;
    } cases[] = {{"Monitor.left", 10},        {"Monitor.right", 195}, {"DetailFrame.bottom", 510},
                 {"DetailFrame.maximized", 0}, {"AlwaysOnTop", 1},     {"AlertSensitivity", 1}};
    for (const Case& c : cases) EXPECT_EQ(Settings::ReadDword(c.name, c.fallback), c.fallback) << c.name;
}

TEST_F(SettingsStore, NumbersRoundTripAsFourByteDwords) {
    for (int32_t value : {0, 1, 2, -5, -1, 1920, INT_MAX, INT_MIN}) {
        Settings::WriteDword("Monitor.left", value);
        EXPECT_EQ(Settings::ReadDword("Monitor.left", 12345), value);
        auto stored = reg::GetValue(HKEY_LOCAL_MACHINE, kKey, "Monitor.left");
        ASSERT_TRUE(stored);
        EXPECT_EQ(stored->type, static_cast<DWORD>(REG_DWORD));
        EXPECT_EQ(stored->data.size(), 4u);
    }
    // Other values are left alone.
    Settings::WriteDword("Monitor.top", 33);
    EXPECT_EQ(Settings::ReadDword("Monitor.left", 0), INT_MIN);
    EXPECT_EQ(Settings::ReadDword("Monitor.top", 0), 33);
}

TEST_F(SettingsStore, ValuesOfOtherSizesAndTypes) {
    struct Case {
        const char* what;
        DWORD type;
        std::vector<uint8_t> bytes;
        int32_t expected;  // read with the default 77
    } cases[] = {
        {"eight bytes", REG_BINARY, {1, 2, 3, 4, 5, 6, 7, 8}, 77},
        {"a QWORD", REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0}, 77},
        {"two bytes zero-filled", REG_BINARY, {0x34, 0x12}, 0x1234},
        {"one byte zero-filled", REG_BINARY, {0xFF}, 0xFF},
        {"no bytes", REG_BINARY, {}, 0},
        {"four bytes of another type", REG_BINARY, {0x01, 0x00, 0x00, 0x80}, INT_MIN + 1},
        {"a long text", REG_SZ, {'1', '2', '3', '4', '5', 0}, 77},
    };
    for (const Case& c : cases) {
        Store("Monitor.left", c.type, c.bytes);
        EXPECT_EQ(Settings::ReadDword("Monitor.left", 77), c.expected) << c.what;
    }
}

TEST_F(SettingsStore, TextsAreReadUpTo255Characters) {
    auto asText = [](const std::string& s, bool terminated) {
        std::vector<uint8_t> bytes(s.begin(), s.end());
        if (terminated) bytes.push_back(0);
        return bytes;
    };
    struct Case {
        const char* what;
        DWORD type;
        std::vector<uint8_t> bytes;
        std::string expected;
    } cases[] = {
        {"a path", REG_SZ, asText("C:\\Program Files\\Quorvane", true), "C:\\Program Files\\Quorvane"},
        {"empty", REG_SZ, asText("", true), ""},
        {"255 characters", REG_SZ, asText(std::string(255, 'a'), true), std::string(255, 'a')},
        {"256 bytes without terminator", REG_BINARY, asText(std::string(256, 'b'), false), std::string(255, 'b')},
        {"short without terminator", REG_BINARY, asText("http", false), "http"},
        {"an expandable text, read as stored", REG_EXPAND_SZ, asText("%TEMP%\\q", true), "%TEMP%\\q"},
        {"too long for the buffer", REG_SZ, asText(std::string(300, 'c'), true), ""},
    };
    for (const Case& c : cases) {
        Store("InstallPath", c.type, c.bytes);
        EXPECT_EQ(std::string(Settings::ReadString("InstallPath").Chars()), c.expected) << c.what;
    }
    EXPECT_TRUE(Settings::ReadString("ViewHelpURL").Empty());
}

TEST_F(SettingsStore, EveryCallSeesTheRegistryAsItIsNow) {
    Settings::WriteDword("AutoLaunch", 1);
    EXPECT_EQ(Settings::ReadDword("AutoLaunch", 0), 1);
    reg::SetDword(HKEY_LOCAL_MACHINE, kKey, "AutoLaunch", 0);
    EXPECT_EQ(Settings::ReadDword("AutoLaunch", 1), 0) << "a read was served from a cache";
    reg::DeleteValue(HKEY_LOCAL_MACHINE, kKey, "AutoLaunch");
    EXPECT_EQ(Settings::ReadDword("AutoLaunch", 1), 1);
}

TEST_F(SettingsStore, AKeyRemovedAndCreatedAgainIsReadAfresh) {
    // Reads keep a handle open; a reinstall replaces the key underneath it.
    reg::SetDword(HKEY_LOCAL_MACHINE, kKey, "AlertSensitivity", 2);
    EXPECT_EQ(Settings::ReadDword("AlertSensitivity", 1), 2);
    reg::DeleteTree(HKEY_LOCAL_MACHINE, kVendorKey);
    EXPECT_EQ(Settings::ReadDword("AlertSensitivity", 1), 1) << "a deleted key still answered";
    ASSERT_TRUE(reg::CreateKey(HKEY_LOCAL_MACHINE, kKey));
    reg::SetDword(HKEY_LOCAL_MACHINE, kKey, "AlertSensitivity", 3);
    EXPECT_EQ(Settings::ReadDword("AlertSensitivity", 1), 3) << "the new key was not opened";
    reg::DeleteTree(HKEY_LOCAL_MACHINE, kVendorKey);
    ASSERT_TRUE(reg::CreateKey(HKEY_LOCAL_MACHINE, kKey));
    Store("InstallPath", REG_SZ, {'C', ':', '\\', 0});
    EXPECT_STREQ(Settings::ReadString("InstallPath").Chars(), "C:\\");
}

}  // namespace
