// The settings store against the prefix's real registry; the tests play installer and user.
#include <gtest/gtest.h>
#include <string>
#include "base/Settings.h"
#include "tests/support/Registry.h"

namespace {

namespace reg = e2e::registry;
const std::string kKey = Settings::kKeyPath;

class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(reg::CreateKey(HKEY_LOCAL_MACHINE, kKey)); }
    void TearDown() override {
        for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) reg::DeleteTree(root, "Software\\Tarvex");
    }
};

TEST_F(SettingsStore, TheUsersNumbersOverTheMachinesDefaultsWrittenToTheUsersKeyAndReadAfresh) {
    reg::SetDword(HKEY_LOCAL_MACHINE, kKey, "AlertSensitivity", 2);
    EXPECT_EQ(Settings::ReadDword("AlertSensitivity", 1), 2) << "the installation's default was not read";
    Settings::WriteDword("AlertSensitivity", -5);
    EXPECT_EQ(Settings::ReadDword("AlertSensitivity", 1), -5) << "the user's value did not win";
    EXPECT_EQ(reg::GetValue(HKEY_CURRENT_USER, kKey, "AlertSensitivity").value().type, DWORD{REG_DWORD});
    EXPECT_EQ(reg::GetDword(HKEY_LOCAL_MACHINE, kKey, "AlertSensitivity"), 2u) << "the machine's key was written";
    reg::SetDword(HKEY_CURRENT_USER, kKey, "AlertSensitivity", 0);
    EXPECT_EQ(Settings::ReadDword("AlertSensitivity", 1), 0) << "a read was served from a cache";
    // Reads keep a handle open on each key; a key deleted and made again underneath them.
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) reg::DeleteTree(root, "Software\\Tarvex");
    EXPECT_EQ(Settings::ReadDword("AlertSensitivity", 1), 1) << "a deleted key still answered";
    EXPECT_FALSE(reg::KeyExists(HKEY_LOCAL_MACHINE, kKey)) << "a read made the machine's key";
    Settings::WriteDword("AlertSensitivity", 2);
    EXPECT_EQ(reg::GetDword(HKEY_CURRENT_USER, kKey, "AlertSensitivity"), 2u) << "the user's key was not made";
    EXPECT_FALSE(reg::KeyExists(HKEY_LOCAL_MACHINE, kKey)) << "a write made the machine's key";
    EXPECT_EQ(Settings::ReadDword("AlertSensitivity", 1), 2) << "the new key was not opened";
}

TEST_F(SettingsStore, InstallationTextsComeFromTheMachinesKeyOnlyUpTo255Characters) {
    // A user cannot point the program somewhere else from their own key.
    reg::SetString(HKEY_CURRENT_USER, kKey, "InstallPath", "C:\\Users\\Public");
    EXPECT_EQ(Settings::ReadInstallationText("InstallPath"), L"");
    const std::wstring longest(255, L'b');
    const struct { DWORD type; std::wstring stored; std::wstring expected; } cases[] = {
        {REG_BINARY, std::wstring(256, L'b'), longest},  // no terminator
        {REG_SZ, std::wstring(L"C:\\Программы\\Tarvex") + L'\0', L"C:\\Программы\\Tarvex"},
        {REG_SZ, std::wstring(300, L'c') + L'\0', L""},  // too long for the buffer
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(reg::SetWideValue(HKEY_LOCAL_MACHINE, kKey, "InstallPath", c.type, c.stored));
        EXPECT_EQ(Settings::ReadInstallationText("InstallPath"), c.expected) << c.stored.size();
    }
}

}  // namespace
