// The installer and its uninstaller, run silently as an administrator would: what they put
// in place, what an upgrade keeps, and what is left behind.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>
#include "tests/e2e/QuorvaneRun.h"
#include "tests/support/Capture.h"
#include "tests/support/Input.h"
#include "tests/support/Paths.h"
#include "tests/support/Process.h"
#include "tests/support/Registry.h"
#include "tests/support/Services.h"
#include "tests/support/TopWindows.h"

namespace {

constexpr DWORD kTimeoutMs = 120000;
const char* const kKey = "Software\\Tarvex\\Quorvane";
const char* const kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quorvane";
const char* const kEventSourceKey = "SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\Quorvane";
constexpr wchar_t kCaptureService[] = L"QuorvaneCapture";
const char* const kCaptureServiceKey = "SYSTEM\\CurrentControlSet\\Services\\QuorvaneCapture";

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
    EXPECT_NE(process.Id(), 0u) << "could not start " << commandLine << ": error " << GetLastError();
    return process.ExitCode(kTimeoutMs);
}

// The capture service starts with Windows from the installation; started, it stops at once
// here, where USBPcap is not installed, and says so with its own exit code 1.
void ExpectCaptureServiceStopsWithoutUsbPcap(const std::string& target) {
    const auto image = e2e::registry::GetValue(HKEY_LOCAL_MACHINE, kCaptureServiceKey, "ImagePath");
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(reinterpret_cast<const char*>(image->data.data()), "\"" + target + "\\QuorvaneCapture.exe\"");
    EXPECT_EQ(e2e::registry::GetDword(HKEY_LOCAL_MACHINE, kCaptureServiceKey, "Start"), DWORD(SERVICE_AUTO_START));
    ASSERT_EQ(RunToEnd("sc start QuorvaneCapture"), 0u);
    e2e::ServiceStatus status;
    EXPECT_TRUE(e2e::WaitUntil([&] { return (status = e2e::QueryService(kCaptureService)).state == SERVICE_STOPPED; }, 20000));
    EXPECT_EQ(status.exitCode, DWORD(ERROR_SERVICE_SPECIFIC_ERROR));
    EXPECT_EQ(status.serviceExit, 1u);
}

// The access the settings key's list grants the built-in Users group: they read what the
// installation left there, and write nothing (their own settings live under their own key).
ACCESS_MASK UsersAccess() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, READ_CONTROL, &key) != ERROR_SUCCESS) return 0;
    const ACCESS_MASK granted = e2e::GrantedTo(key, SE_REGISTRY_KEY, WinBuiltinUsersSid);
    RegCloseKey(key);
    return granted;
}

// What the programs this test starts wrote to their error stream since `from`: Wine's traces.
std::string ErrorsSince(size_t from) {
    const char* log = std::getenv("QUORVANE_ERROR_LOG");
    std::ifstream in(e2e::WindowsPath(log ? log : ""), std::ios::binary);
    const std::string all{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return from < all.size() ? all.substr(from) : std::string();
}

size_t ErrorsSoFar() { return ErrorsSince(0).size(); }

// The installed program opens its help at the topic of the computer's health and of a device's kind
// (the viewer's trace shows the page); without the file it goes on answering; with a file and an
// installation folder planted elsewhere it opens its own. Three runs, one each: Wine's viewer, which has no
// HTML engine here, at times takes its process down with an X error once it is open.
void ExpectHelpTopics(const e2e::InstalledSettings& settings, const std::string& target) {
    ASSERT_NE(std::getenv("QUORVANE_ERROR_LOG"), nullptr) << "no copy of the error stream to read";
    settings.PlaceMonitor(1040, 150, 5);  // clear of the help window
    struct Case {
        bool phone;  // else the computer
        const char* helpFile;
        const char* installPath;  // planted, or null for the installation's own
        const char* asked;   // in the viewer's trace, then
        const char* loaded;  // after it
    } const cases[] = {
        {false, "C:\\users\\Public\\Evil.chm", "C:\\users\\Public", R"(Quorvane\\QuorvaneHelp.chm", command=HH_HELP_CONTEXT, data=10300)",
         R"(Quorvane\\QuorvaneHelp.chm::/state3.htm)"},
        {true, "QuorvaneHelp.chm", nullptr, "data=2030d", R"(Quorvane\\QuorvaneHelp.chm::/class-comm.htm)"},
        {false, "Missing.chm", nullptr, R"(Quorvane\\Missing.chm", command=HH_HELP_CONTEXT, data=10300)", ""},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(e2e::registry::SetString(HKEY_LOCAL_MACHINE, kKey, "ViewHelpURL", c.helpFile));
        ASSERT_TRUE(e2e::registry::SetString(HKEY_LOCAL_MACHINE, kKey, "InstallPath", c.installPath ? c.installPath : target));
        e2e::QuorvaneRun run(e2e::ShippedScenario("test-small.json"), {{"WINEDEBUG", "trace+htmlhelp"}},
                             target + "\\Quorvane.exe");
        HWND monitor = e2e::WaitForMonitor(run);
        ASSERT_NE(monitor, nullptr);
        // The computer at severity 3; the phone (communications, type code 13) in the camera's place.
        for (const char* command : {"severity Computer 3 Warned", "unplug cam", "plug phone"})
            ASSERT_TRUE(run.Change(command)) << command;
        // The computer from its tile; the phone in the system view's tree, below the bench hub.
        const RECT f = e2e::Rect(e2e::OpenSystemView(run, monitor, 0, kTimeoutMs));
        if (c.phone) e2e::ClickAt(f.left + 288, f.top + 415);
        const size_t from = ErrorsSoFar();
        e2e::ClickAt(f.left + 24 + 553 - 250 + 57, f.top + 24 + 10 + 8);  // "Get Help"
        EXPECT_TRUE(e2e::WaitUntil([&] {
            const std::string trace = ErrorsSince(from);
            const size_t asked = trace.find(c.asked);
            return asked != std::string::npos && trace.find(c.loaded, asked) != std::string::npos;
        }, 20000)) << "help was not asked for or opened at " << c.asked << " " << c.loaded;
        if (!*c.loaded) EXPECT_GT(run.Rebuilds(), 0) << "the program stopped answering after asking for a missing help file";
        e2e::SaveScreenshot(e2e::CaptureScreen({0, 0, 1280, 1024}), std::string("help-") + c.helpFile + "-" + (c.phone ? "phone" : "computer"));
    }
}

TEST(Installer, InstallsSilentlyOpensHelpAtItsTopicsUpgradesInPlaceAndUninstallsAllButTheUsersState) {
    const e2e::InstalledSettings settings;  // removes the key again at the end
    const std::string setup = Installer();
    ASSERT_FALSE(setup.empty()) << "no installer was built";
    const std::string target = Folder(CSIDL_PROGRAM_FILES) + "\\Tarvex\\Quorvane";
    const std::string shortcuts[] = {Folder(CSIDL_STARTUP) + "\\Quorvane.lnk",
                                     Folder(CSIDL_COMMON_STARTUP) + "\\Quorvane.lnk"};

    ASSERT_EQ(RunToEnd("\"" + setup + "\" /S"), 0u);
    for (const char* file : {"Quorvane.exe", "QuorvaneCapture.exe", "Linsett.dll", "Linsett.exe", "QuorvaneHelp.chm", "Uninstall.exe"})
        EXPECT_TRUE(Exists(target + "\\" + file)) << file;
    ExpectCaptureServiceStopsWithoutUsbPcap(target);
    const auto installPath = e2e::registry::GetValue(HKEY_LOCAL_MACHINE, kKey, "InstallPath");
    ASSERT_TRUE(installPath.has_value());
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(installPath->data.data())), target);
    EXPECT_TRUE(e2e::registry::KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    // The event log's source, worded by the installed program's messages.
    const auto messages = e2e::registry::GetValue(HKEY_LOCAL_MACHINE, kEventSourceKey, "EventMessageFile");
    ASSERT_TRUE(messages.has_value()) << "no event source";
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(messages->data.data())), target + "\\Quorvane.exe");
    EXPECT_EQ(e2e::registry::GetDword(HKEY_LOCAL_MACHINE, kEventSourceKey, "TypesSupported"), 7u);
    for (const std::string& shortcut : shortcuts) EXPECT_TRUE(Exists(shortcut)) << shortcut;
    EXPECT_EQ(UsersAccess() & KEY_READ, ACCESS_MASK(KEY_READ)) << "standard users cannot read the installation's values";
    EXPECT_EQ(UsersAccess() & (KEY_SET_VALUE | KEY_CREATE_SUB_KEY), 0u) << "standard users can plant values";
    ExpectHelpTopics(settings, target);

    // An upgrade in place keeps the user's settings, and puts back what the installation
    // leaves for the program, whatever was planted there.
    settings.Set("AlertSensitivity", 2);
    for (const char* name : {"InstallPath", "GetUpdateURL", "TarvexURL", "ViewHelpURL"})
        e2e::registry::SetString(HKEY_LOCAL_MACHINE, kKey, name, "C:\\users\\Public\\planted.exe");
    ASSERT_EQ(RunToEnd("\"" + setup + "\" /S"), 0u);
    EXPECT_EQ(settings.Get("AlertSensitivity"), 2u);
    ExpectCaptureServiceStopsWithoutUsbPcap(target);
    for (const char* name : {"InstallPath", "GetUpdateURL", "TarvexURL", "ViewHelpURL"}) {
        const auto value = e2e::registry::GetValue(HKEY_LOCAL_MACHINE, kKey, name);
        ASSERT_TRUE(value.has_value()) << name;
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(value->data.data())).find("planted"), std::string::npos) << name;
    }

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
    for (const char* file : {"Quorvane.exe", "QuorvaneCapture.exe", "Linsett.dll", "Linsett.exe", "QuorvaneHelp.chm"})
        EXPECT_FALSE(Exists(target + "\\" + file)) << file;
    EXPECT_FALSE(e2e::QueryService(kCaptureService).exists);
    EXPECT_FALSE(e2e::registry::KeyExists(HKEY_LOCAL_MACHINE, kKey));
    EXPECT_FALSE(e2e::registry::KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_FALSE(e2e::registry::KeyExists(HKEY_LOCAL_MACHINE, kEventSourceKey));
    for (const std::string& shortcut : shortcuts) EXPECT_FALSE(Exists(shortcut)) << shortcut;
    EXPECT_TRUE(Exists(state)) << "the user's state was not kept";
    e2e::RemoveFolder(stateFolder);
}

}  // namespace
