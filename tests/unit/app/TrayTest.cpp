// The tray menu as it is built from the settings, and what its commands do.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Settings.h"
#include "framework/SharedLook.h"
#include "app/TrayIcon.h"
#include "framework/ElxWnd.h"
#include "tests/e2e/driver/Registry.h"
#include "tests/e2e/driver/TopWindows.h"
#include "tests/e2e/driver/TrayIcons.h"

namespace {

namespace reg = e2e::registry;

class TrayMenu : public ::testing::Test {
protected:
    std::vector<std::string> calls;

    static void SetUpTestSuite() { LoadSharedLook(GetModuleHandleA(nullptr)); }
    static void TearDownTestSuite() { ReleaseSharedLook(); }
    void SetUp() override {
        reg::DeleteTree(HKEY_LOCAL_MACHINE, "Software\\Tarvex");
        ASSERT_TRUE(reg::CreateKey(HKEY_LOCAL_MACHINE, Settings::kKeyPath));
        SetTrayHooks({[this] { calls.push_back("show monitor"); }, [this] { calls.push_back("about"); },
                      [this](bool on) { calls.push_back(on ? "on top" : "not on top"); },
                      [this](bool on) { calls.push_back(on ? "shortcuts made" : "shortcuts removed"); },
                      [this] { calls.push_back("exit"); }});
    }
    void TearDown() override {
        SetTrayHooks({});
        reg::DeleteTree(HKEY_LOCAL_MACHINE, "Software\\Tarvex");
    }

    struct Item {
        UINT id;
        std::string text;
        bool separator, checked;
    };
    static std::vector<Item> Items(HMENU menu) {
        std::vector<Item> items;
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            char text[128] = "";
            MENUITEMINFOA info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_STATE | MIIM_ID | MIIM_TYPE;
            info.dwTypeData = text;
            info.cch = sizeof text;
            GetMenuItemInfoA(menu, i, TRUE, &info);
            items.push_back({info.wID, text, (info.fType & MFT_SEPARATOR) != 0, (info.fState & MFS_CHECKED) != 0});
        }
        return items;
    }
};

TEST_F(TrayMenu, SevenEntriesWithChecksFromTheSettings) {
    struct Case {
        int autoLaunch, alwaysOnTop;  // -1: absent
        bool autoChecked, topChecked;
    } cases[] = {{-1, -1, true, true}, {0, 1, false, true}, {1, 0, true, false}, {7, 0, true, false}};
    for (const Case& c : cases) {
        reg::DeleteValue(HKEY_LOCAL_MACHINE, Settings::kKeyPath, "AutoLaunch");
        reg::DeleteValue(HKEY_LOCAL_MACHINE, Settings::kKeyPath, "AlwaysOnTop");
        if (c.autoLaunch >= 0) reg::SetDword(HKEY_LOCAL_MACHINE, Settings::kKeyPath, "AutoLaunch", c.autoLaunch);
        if (c.alwaysOnTop >= 0) reg::SetDword(HKEY_LOCAL_MACHINE, Settings::kKeyPath, "AlwaysOnTop", c.alwaysOnTop);
        HMENU menu = BuildTrayMenu();
        std::vector<Item> items = Items(menu);
        DestroyMenu(menu);
        ASSERT_EQ(items.size(), 7u);
        EXPECT_EQ(items[0].id, 3u);
        EXPECT_EQ(items[0].text, "Open Quorvane");
        EXPECT_EQ(items[1].id, 2u);
        EXPECT_EQ(items[1].text, "About Quorvane");
        EXPECT_TRUE(items[2].separator);
        EXPECT_EQ(items[3].id, 4u);
        EXPECT_EQ(items[3].text, "Auto-launch at start-up");
        EXPECT_EQ(items[3].checked, c.autoChecked) << c.autoLaunch;
        EXPECT_EQ(items[4].id, 5u);
        EXPECT_EQ(items[4].text, "Monitoring view always on top");
        EXPECT_EQ(items[4].checked, c.topChecked) << c.alwaysOnTop;
        EXPECT_TRUE(items[5].separator);
        EXPECT_EQ(items[6].id, 1u);
        EXPECT_EQ(items[6].text, "Exit");
        EXPECT_FALSE(items[0].checked || items[1].checked || items[6].checked);
    }
}

TEST_F(TrayMenu, TogglesReadTheStoredValueAndWriteAtOnce) {
    RunTrayCommand(kTrayAutoLaunch);  // absent counts as on
    EXPECT_EQ(reg::GetDword(HKEY_LOCAL_MACHINE, Settings::kKeyPath, "AutoLaunch"), 0u);
    RunTrayCommand(kTrayAutoLaunch);
    EXPECT_EQ(reg::GetDword(HKEY_LOCAL_MACHINE, Settings::kKeyPath, "AutoLaunch"), 1u);

    reg::SetDword(HKEY_LOCAL_MACHINE, Settings::kKeyPath, "AlwaysOnTop", 5);
    RunTrayCommand(kTrayAlwaysOnTop);
    EXPECT_EQ(reg::GetDword(HKEY_LOCAL_MACHINE, Settings::kKeyPath, "AlwaysOnTop"), 0u);
    RunTrayCommand(kTrayAlwaysOnTop);
    EXPECT_EQ(reg::GetDword(HKEY_LOCAL_MACHINE, Settings::kKeyPath, "AlwaysOnTop"), 1u);
    EXPECT_EQ(calls, (std::vector<std::string>{"shortcuts removed", "shortcuts made", "not on top", "on top"}));
}

TEST_F(TrayMenu, OtherCommandsReachTheirWindowsAndDismissingDoesNothing) {
    RunTrayCommand(0);
    EXPECT_TRUE(calls.empty());
    EXPECT_FALSE(reg::GetValue(HKEY_LOCAL_MACHINE, Settings::kKeyPath, "AutoLaunch"));
    EXPECT_FALSE(reg::GetValue(HKEY_LOCAL_MACHINE, Settings::kKeyPath, "AlwaysOnTop"));
    RunTrayCommand(kTrayOpen);
    RunTrayCommand(kTrayAbout);
    RunTrayCommand(kTrayExit);
    EXPECT_EQ(calls, (std::vector<std::string>{"show monitor", "about", "exit"}));
}

TEST_F(TrayMenu, TheIconLeavesTheShellWhileItsWindowLives) {
    // The shell drops the icons of destroyed windows by itself, so only a live window shows
    // whether the removal really happened.
    RegisterElxWndClass(GetModuleHandleA(nullptr));
    ElxWnd window(nullptr, WS_POPUP, 0, false);
    // The shell's tray comes up with the desktop, which the first window of the prefix starts.
    ASSERT_TRUE(e2e::WaitUntil([] { return FindWindowA("Shell_TrayWnd", nullptr) != nullptr; }, 30000))
        << "no shell tray to add icons to";
    AddTrayIcon(window.Handle(), 1124);
    EXPECT_TRUE(e2e::TrayIconPresent(window.Handle(), 1124, "Quorvane")) << "the icon was not added";
    SetTrayImage(2);
    EXPECT_TRUE(e2e::TrayIconPresent(window.Handle(), 1124, "Quorvane")) << "an image change lost the icon";
    RemoveTrayIcon();
    EXPECT_FALSE(e2e::TrayIconPresent(window.Handle(), 1124, "Quorvane")) << "the icon stayed in the shell";
}

}  // namespace
