// The tray icon's menu under real input: the switches are written and take effect at once,
// the about box opens once and locks the main windows, and "Exit" saves the placement and
// ends the program with 0.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <fstream>
#include <string>
#include "resources/ResourceIds.h"
#include "tests/e2e/QuorvaneRun.h"
#include "tests/support/Capture.h"
#include "tests/support/Input.h"
#include "tests/support/Registry.h"
#include "tests/support/TopWindows.h"
#include "tests/support/TrayIcons.h"

namespace {

using e2e::QuorvaneRun;
using e2e::Rect;
namespace reg = e2e::registry;
constexpr DWORD kTimeoutMs = 30000;
const char* const kBrowser = "Software\\Classes\\http\\shell\\open\\command";

// The system's browser replaced by one that writes down the address it is given.
struct FakeBrowser {
    const std::optional<reg::Value> saved = reg::GetValue(HKEY_LOCAL_MACHINE, kBrowser, "");
    explicit FakeBrowser(const std::string& log, const std::string& command = {}) {
        reg::SetString(HKEY_LOCAL_MACHINE, kBrowser, "",
                       command.empty() ? "C:\\windows\\system32\\cmd.exe /c echo %1>\"" + log + "\"" : command);
    }
    ~FakeBrowser() { reg::SetValue(HKEY_LOCAL_MACHINE, kBrowser, "", saved->type, saved->data); }
};

std::string SystemText(DWORD code) {
    char text[512] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text, sizeof text, nullptr);
    std::string result = text;
    while (!result.empty() && (result.back() == '\n' || result.back() == '\r' || result.back() == ' ')) result.pop_back();
    return result;
}

int StartupShortcuts() {
    int present = 0;
    for (int folder : {CSIDL_STARTUP, CSIDL_COMMON_STARTUP}) {
        char path[MAX_PATH] = "";
        SHGetFolderPathA(nullptr, folder, nullptr, 0, path);
        present += GetFileAttributesA((std::string(path) + "\\Quorvane.lnk").c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    return present;
}

// Right-clicks the first icon of Wine's tray window and, once the menu is up, presses the keys.
bool ChooseFromTray(HWND tray, std::initializer_list<WORD> keys) {
    RECT client{};
    GetClientRect(tray, &client);
    POINT icon{client.left + 12, client.top + 12};
    ClientToScreen(tray, &icon);
    e2e::ClickAt(icon.x, icon.y, e2e::MouseButton::Right);
    if (!e2e::WaitForWindow("#32768", nullptr, 0, kTimeoutMs)) return false;
    for (WORD key : keys) e2e::PressKey(key);
    return true;
}

TEST(Tray, MenuTogglesActAtOnceAboutOpensOnceLockedAndExitEndsInOrder) {
    const e2e::InstalledSettings settings;
    settings.Set("AutoLaunch", 0);
    QuorvaneRun run(e2e::ShippedScenario("test-small.json"));
    HWND monitor = e2e::WaitForWindow("ElxWnd", "Quorvane Monitor", run.Id(), kTimeoutMs);
    ASSERT_NE(monitor, nullptr);
    HWND tray = e2e::WaitForWindow(nullptr, "Wine System Tray", 0, kTimeoutMs);
    ASSERT_NE(tray, nullptr) << "no tray icon";
    const HWND application = e2e::ApplicationWindow(run);
    ASSERT_TRUE(e2e::TrayIconPresent(application, 1124, "Quorvane")) << "the shell does not know the icon";
    // A restarted shell knows no icon until each program adds its own again.
    ASSERT_TRUE(e2e::ForgetTrayIcon(application, 1124));
    SendMessageTimeoutA(application, RegisterWindowMessageA("TaskbarCreated"), 0, 0, SMTO_NORMAL, kTimeoutMs, nullptr);
    ASSERT_TRUE(e2e::TrayIconPresent(application, 1124, "Quorvane")) << "the icon did not come back";

    EXPECT_TRUE(GetWindowLongA(monitor, GWL_EXSTYLE) & WS_EX_TOPMOST) << "absent, Always on top is on";
    // Four down: past "Open", "About", the separator and "Auto-launch" to "Always on top".
    ASSERT_TRUE(ChooseFromTray(tray, {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}));
    EXPECT_TRUE(e2e::WaitUntil([&] { return settings.Get("AlwaysOnTop") == 0u; }, kTimeoutMs))
        << "Always on top was not switched off at once";
    EXPECT_FALSE(GetWindowLongA(monitor, GWL_EXSTYLE) & WS_EX_TOPMOST);
    // "Auto-launch": off to on makes the default user's shortcut (a copy that was not installed
    // makes none for all users), on to off deletes both.
    for (const int expected : {1, 0}) {
        ASSERT_TRUE(ChooseFromTray(tray, {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}));
        EXPECT_TRUE(e2e::WaitUntil([&] { return StartupShortcuts() == expected; }, kTimeoutMs)) << expected;
    }

    // "About" twice: one box, counted once the program has answered after the menu closed.
    for (int attempt = 0; attempt < 2; ++attempt) ASSERT_TRUE(ChooseFromTray(tray, {VK_DOWN, VK_DOWN, VK_RETURN}));
    ASSERT_TRUE(e2e::WaitUntil([] { return !IsWindowVisible(FindWindowA("#32768", nullptr)); }, kTimeoutMs));
    SendMessageTimeoutA(monitor, WM_NULL, 0, 0, SMTO_NORMAL, kTimeoutMs, nullptr);
    ASSERT_EQ(e2e::FindModalBoxes(run.Id()).size(), 1u);
    HWND about = e2e::FindModalBoxes(run.Id())[0].window;
    e2e::SaveScreenshot(e2e::CaptureWindow(about), "about_box");
    // The computer's tile, then "Done", whose close shows that the tile's click was taken.
    const RECT m = Rect(monitor);
    e2e::ClickAt(m.left + 90, m.top + 32);
    e2e::ClickAt(Rect(about).left + 330, Rect(about).top + 290);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindow(about); }, kTimeoutMs)) << "\"Done\" did not close it";
    EXPECT_EQ(FindWindowA("ElxWnd", "Quorvane"), nullptr) << "a locked tile opened the system view";

    // Unlocked, the tile opens the system view, whose "About Quorvane" opens the box again;
    // its "Set Options" is locked, and "Go To Tarvex" opens the maker's address and closes.
    e2e::ClickAt(m.left + 90, m.top + 32);
    HWND frame = e2e::WaitForWindow("ElxWnd", "Quorvane", run.Id(), kTimeoutMs);
    ASSERT_NE(frame, nullptr);
    const std::string log = run.Folder() + "\\browser.txt";
    const FakeBrowser browser(log);
    e2e::ClickAt(Rect(frame).left + 385, Rect(frame).top + 76);
    ASSERT_NE(about = e2e::WaitForWindow("#32770", nullptr, run.Id(), kTimeoutMs), nullptr);
    e2e::ClickAt(Rect(frame).left + 510, Rect(frame).top + 46);
    e2e::ClickAt(Rect(about).left + 425, Rect(about).top + 290);
    EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindow(about); }, kTimeoutMs)) << "the box stayed open";
    const std::string address = e2e::ProgramString(IDS_MAKER_URL);
    std::string logged;
    EXPECT_TRUE(e2e::WaitUntil([&] { return (std::ifstream(log) >> logged) && logged == address; }, kTimeoutMs));
    EXPECT_EQ(e2e::CloseModalBoxes(run.Id()), 0) << "a box opened over the locked system view, or an error box";

    // "Get Update" with a browser that cannot be started says why, in the system's words.
    reg::SetString(HKEY_LOCAL_MACHINE, "Software\\Tarvex\\Quorvane", "GetUpdateURL", "http://www.tarvex.com/update/");
    const FakeBrowser missing("", "C:\\no-such-folder\\browser.exe %1");
    e2e::ClickAt(Rect(frame).left + 510, Rect(frame).top + 76);
    const std::string reason = e2e::WaitForModalBox(run.Id(), kTimeoutMs).text;
    EXPECT_TRUE(reason.find(SystemText(ERROR_FILE_NOT_FOUND)) != std::string::npos ||
                reason.find(SystemText(ERROR_PATH_NOT_FOUND)) != std::string::npos) << reason;
    EXPECT_EQ(e2e::CloseModalBoxes(run.Id()), 1);

    // "Exit": the fifth item to choose, past the separators.
    ASSERT_TRUE(ChooseFromTray(tray, {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}));
    ASSERT_EQ(run.Program().ExitCode(kTimeoutMs), 0u) << "Exit did not end the program in order";
    EXPECT_TRUE(settings.Get("Monitor.left").has_value()) << "placement not saved";
}

}  // namespace
