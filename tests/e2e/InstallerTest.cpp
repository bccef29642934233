// The installer and its uninstaller, run silently as an administrator would: what they put
// in place, what an upgrade keeps, and what is left behind.
#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>

#include <fstream>
#include <string>

#include "tests/e2e/QuorvaneRun.h"
#include "tests/e2e/driver/Paths.h"
#include "tests/e2e/driver/Process.h"
#include "tests/e2e/driver/Registry.h"

namespace {

constexpr DWORD kTimeoutMs = 120000;
const char* const kKey = "Software\\Tarvex\\Quorvane";
const char* const kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quorvane";

std::string Folder(int csidl) {
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, csidl, nullptr, 0, path);
    return path;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The one installer the build made, next to the architectures' build folders.
std::string Installer() {
    const std::string build = e2e::BinDir() + "\\..\\..";
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((build + "\\Quorvane-*-setup.exe").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return {};
    FindClose(search);
    return build + "\\" + found.cFileName;
}

DWORD RunToEnd(const std::string& commandLine) {
    e2e::Process process = e2e::Process::Start(commandLine);
    DWORD exitCode = 99;
    return process.WaitForExit(kTimeoutMs, &exitCode) ? exitCode : 98;
}

TEST(Installer, InstallsSilentlyUpgradesInPlaceAndUninstallsAllButTheUsersState) {
    const e2e::InstalledSettings settings;  // removes the key again at the end
    const std::string setup = Installer();
    ASSERT_FALSE(setup.empty()) << "no installer was built";
    const std::string target = Folder(CSIDL_PROGRAM_FILES) + "\\Tarvex\\Quorvane";
    const std::string shortcuts[] = {Folder(CSIDL_STARTUP) + "\\Quorvane.lnk",
                                     Folder(CSIDL_COMMON_STARTUP) + "\\Quorvane.lnk"};

    ASSERT_EQ(RunToEnd("\"" + setup + "\" /S"), 0u);
    for (const char* file : {"Quorvane.exe", "Linsett.dll", "Linsett.exe", "QuorvaneHelp.chm", "Uninstall.exe"})
        EXPECT_TRUE(Exists(target + "\\" + file)) << file;
    const auto installPath = e2e::registry::GetValue(HKEY_LOCAL_MACHINE, kKey, "InstallPath");
    ASSERT_TRUE(installPath.has_value());
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(installPath->data.data())), target);
    EXPECT_TRUE(e2e::registry::KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    for (const std::string& shortcut : shortcuts) EXPECT_TRUE(Exists(shortcut)) << shortcut;

    // An upgrade in place keeps the user's settings.
    settings.Set("AlertSensitivity", 2);
    ASSERT_EQ(RunToEnd("\"" + setup + "\" /S"), 0u);
    EXPECT_EQ(settings.Get("AlertSensitivity"), 2u);

    // The user's state is kept by a silent uninstall; everything else goes.
    char local[MAX_PATH] = "";
    GetEnvironmentVariableA("LOCALAPPDATA", local, sizeof local);
    const std::string stateFolder = std::string(local) + "\\Quorvane", state = stateFolder + "\\linsett-state.json";
    CreateDirectoryA(stateFolder.c_str(), nullptr);
    std::ofstream(state) << "{}";
    // The uninstaller runs in place (_?=) so that its end is the end of the process.
    ASSERT_EQ(RunToEnd("\"" + target + "\\Uninstall.exe\" /S _?=" + target), 0u);
    DeleteFileA((target + "\\Uninstall.exe").c_str());  // left by a run in place
    RemoveDirectoryA(target.c_str());
    for (const char* file : {"Quorvane.exe", "Linsett.dll", "Linsett.exe", "QuorvaneHelp.chm"})
        EXPECT_FALSE(Exists(target + "\\" + file)) << file;
    EXPECT_FALSE(e2e::registry::KeyExists(HKEY_LOCAL_MACHINE, kKey));
    EXPECT_FALSE(e2e::registry::KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    for (const std::string& shortcut : shortcuts) EXPECT_FALSE(Exists(shortcut)) << shortcut;
    EXPECT_TRUE(Exists(state)) << "the user's state was not kept";
    e2e::RemoveFolder(stateFolder);
}

}  // namespace
