// The settings store against the prefix's real registry; the tests play the installer.
#include <gtest/gtest.h>

#include <string>

#include "base/Settings.h"
#include "tests/e2e/driver/Registry.h"

namespace {

namespace reg = e2e::registry;
const std::string kKey = Settings::kKeyPath;

class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(reg::CreateKey(HKEY_LOCAL_MACHINE, kKey)); }
    void TearDown() override { reg::DeleteTree(HKEY_LOCAL_MACHINE, "Software\\Tarvex"); }
};

TEST_F(SettingsStore, NumbersAreDwordsReadAfreshEvenAcrossAReinstall) {
    Settings::WriteDword("AlertSensitivity", -5);
    EXPECT_EQ(Settings::ReadDword("AlertSensitivity", 1), -5);
    EXPECT_EQ(reg::GetValue(HKEY_LOCAL_MACHINE, kKey, "AlertSensitivity").value().type, DWORD{REG_DWORD});
    reg::SetDword(HKEY_LOCAL_MACHINE, kKey, "AlertSensitivity", 0);
    EXPECT_EQ(Settings::ReadDword("AlertSensitivity", 1), 0) << "a read was served from a cache";
    // Reads keep a handle open; a reinstall replaces the key underneath it.
    reg::DeleteTree(HKEY_LOCAL_MACHINE, "Software\\Tarvex");
    EXPECT_EQ(Settings::ReadDword("AlertSensitivity", 1), 1) << "a deleted key still answered";
    Settings::WriteDword("AlertSensitivity", 2);
    EXPECT_FALSE(reg::KeyExists(HKEY_LOCAL_MACHINE, kKey)) << "a write created the key";
    ASSERT_TRUE(reg::CreateKey(HKEY_LOCAL_MACHINE, kKey));
    reg::SetDword(HKEY_LOCAL_MACHINE, kKey, "AlertSensitivity", 3);
    EXPECT_EQ(Settings::ReadDword("AlertSensitivity", 1), 3) << "the new key was not opened";
}

TEST_F(SettingsStore, TextsAreReadUpTo255Characters) {
    struct Case { DWORD type; std::string stored, expected; } cases[] = {
        {REG_BINARY, std::string(256, 'b'), std::string(255, 'b')},  // no terminator
        {REG_BINARY, "http", "http"},
        {REG_SZ, std::string(300, 'c') + '\0', ""},  // too long for the buffer
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes(c.stored.begin(), c.stored.end());
        ASSERT_TRUE(reg::SetValue(HKEY_LOCAL_MACHINE, kKey, "InstallPath", c.type, bytes));
        EXPECT_EQ(std::string(Settings::ReadString("InstallPath").Chars()), c.expected) << c.stored.size();
    }
}

}  // namespace
