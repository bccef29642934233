// The installer and its uninstaller, run silently as an administrator would: what they put
// in place, what an upgrade keeps, and what is left behind.
#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/e2e/QuorvaneRun.h"
#include "tests/e2e/driver/Capture.h"
#include "tests/e2e/driver/Input.h"
#include "tests/e2e/driver/LinsettControl.h"
#include "tests/e2e/driver/Paths.h"
#include "tests/e2e/driver/Process.h"
#include "tests/e2e/driver/Registry.h"
#include "tests/e2e/driver/TopWindows.h"

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

// What the programs this test starts wrote to their error stream since `from`: Wine's traces.
std::string ErrorsSince(size_t from) {
    const char* log = std::getenv("QUORVANE_ERROR_LOG");
    std::ifstream in(e2e::WindowsPath(log ? log : ""), std::ios::binary);
    const std::string all{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return from < all.size() ? all.substr(from) : std::string();
}

size_t ErrorsSoFar() { return ErrorsSince(0).size(); }

void ClickGetHelp(const e2e::QuorvaneRun& run) {
    RECT f{};
    GetWindowRect(e2e::WaitForWindow("ElxWnd", "Quorvane", run.Id(), kTimeoutMs), &f);
    e2e::ClickAt(f.left + 24 + 553 - 250 + 57, f.top + 24 + 10 + 8);
}

// The installed program opens its help file at the topic of the computer's health and of a
// device's kind, as the help viewer's trace of the page it loads shows. Without the help
// file the button does no harm.
void ExpectHelpTopics(const e2e::InstalledSettings& settings, const std::string& target) {
    ASSERT_NE(std::getenv("QUORVANE_ERROR_LOG"), nullptr) << "no copy of the error stream to read";
    // Clear of the help window, which then stays open and shows each topic in turn.
    settings.PlaceMonitor(1040, 150, 5);
    e2e::QuorvaneRun run(e2e::ShippedScenario("test-small.json"), {{"WINEDEBUG", "trace+htmlhelp"}},
                         target + "\\Quorvane.exe");
    HWND monitor = e2e::WaitForMonitor(run);
    ASSERT_NE(monitor, nullptr);
    // The computer at severity 3; the phone (communications, type code 13) in the camera's place.
    for (const char* command : {"severity Computer 3 Warned", "unplug cam", "plug phone"}) {
        const int rebuilds = run.Rebuilds();
        ASSERT_EQ(e2e::SendLinsettCommand(run.Id(), command), "ok");
        ASSERT_TRUE(run.WaitForRebuilds(rebuilds + 1));
    }
    const auto expectTopic = [&](const char* context, const char* page) {
        const size_t from = ErrorsSoFar();
        ClickGetHelp(run);
        EXPECT_TRUE(e2e::WaitUntil([&] {
            const std::string trace = ErrorsSince(from);
            const size_t asked = trace.find(context);
            return asked != std::string::npos && trace.find(page, asked) != std::string::npos;
        }, 20000)) << "help was not opened at " << page;
        e2e::SaveScreenshot(e2e::CaptureScreen({0, 0, 1280, 1024}), std::string("help-") + context);
    };
    // The computer from its tile; the phone in the system view's tree, below the bench hub.
    RECT m{}, f{};
    GetWindowRect(monitor, &m);
    e2e::ClickAt(m.left + 90, m.top + 18 + 14);
    expectTopic("data=10300", R"(Quorvane\\QuorvaneHelp.chm::/state3.htm)");
    GetWindowRect(e2e::WaitForWindow("ElxWnd", "Quorvane", run.Id(), kTimeoutMs), &f);
    e2e::ClickAt(f.left + 300, f.top + 10);  // the first click only brings it back from the help window
    e2e::ClickAt(f.left + 288, f.top + 415);
    expectTopic("data=2030d", R"(Quorvane\\QuorvaneHelp.chm::/class-comm.htm)");

    ASSERT_TRUE(e2e::registry::SetString(HKEY_LOCAL_MACHINE, kKey, "ViewHelpURL", "Missing.chm"));
    const size_t from = ErrorsSoFar();
    ClickGetHelp(run);
    EXPECT_TRUE(e2e::WaitUntil([&] { return ErrorsSince(from).find("Missing.chm") != std::string::npos; }, 20000));
    EXPECT_GT(run.Rebuilds(), 0) << "the program stopped answering after asking for a missing help file";
    e2e::SaveScreenshot(e2e::CaptureScreen({0, 0, 1280, 1024}), "help-missing");
}

TEST(Installer, InstallsSilentlyOpensHelpAtItsTopicsUpgradesInPlaceAndUninstallsAllButTheUsersState) {
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
    ExpectHelpTopics(settings, target);

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
