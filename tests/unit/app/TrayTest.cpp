// The tray menu as it is built from the settings, what its commands do, and the icon.
#include <gtest/gtest.h>
#include <string>
#include "base/Settings.h"
#include "framework/SharedLook.h"
#include "app/TrayIcon.h"
#include "framework/ElxWnd.h"
#include "tests/support/Registry.h"
#include "tests/support/TopWindows.h"
#include "tests/support/TrayIcons.h"

namespace {

namespace reg = e2e::registry;
using Tray = TrayIcon;

class TrayMenu : public ::testing::Test, public TrayHost {
protected:
    std::string calls;
    bool libraryDown = false;
    Tray tray{*this};
    static void SetUpTestSuite() { LoadSharedLook(GetModuleHandleA(nullptr)); }
    void SetUp() override { ASSERT_TRUE(reg::CreateKey(HKEY_LOCAL_MACHINE, Settings::kKeyPath)); }
    void TearDown() override {
        for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) reg::DeleteTree(root, "Software\\Tarvex");
    }
    void ShowMonitor() override { calls += "monitor "; }
    void ShowAbout() override { calls += "about "; }
    void SetAlwaysOnTop(bool on) override { calls += on ? "on top " : "not on top "; }
    void SetAutoLaunch(bool on) override { calls += on ? "shortcuts made " : "shortcuts removed "; }
    void Exit() override { calls += "exit "; }
    bool IsLibraryDown() override { return libraryDown; }
    void ShowHistory() override { calls += "history "; }
};

TEST_F(TrayMenu, ChecksComeFromTheSettingsWhereAbsentMeansOnAndCommandsReachTheirHost) {
    reg::SetDword(HKEY_LOCAL_MACHINE, Settings::kKeyPath, "AlwaysOnTop", 0);  // AutoLaunch stays absent
    HMENU menu = tray.BuildMenu();
    std::string items;  // ids, "*" when checked, "-" for a separator
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        UINT state = GetMenuState(menu, i, MF_BYPOSITION);
        if (state & MF_SEPARATOR) items += "- ";
        else if (GetSubMenu(menu, i)) items += "> ";
        else items += std::to_string(GetMenuItemID(menu, i)) + (state & MF_CHECKED ? "* " : " ");
    }
    // Absent, the notices are of failures only.
    const UINT failuresOnly = GetMenuState(GetSubMenu(menu, GetMenuItemCount(menu) - 1), Tray::kNotifyFailures, MF_BYCOMMAND);
    DestroyMenu(menu);
    EXPECT_EQ(items, "3 2 - 4* 5 - 1 - 16 > ");
    EXPECT_TRUE(failuresOnly & MF_CHECKED);
    for (Tray::Command command : {Tray::Command{0}, Tray::kOpen, Tray::kAbout, Tray::kAutoLaunch, Tray::kAutoLaunch,
                                  Tray::kAlwaysOnTop, Tray::kHistory, Tray::kExit})
        tray.RunCommand(command);
    EXPECT_EQ(calls, "monitor about shortcuts removed shortcuts made on top history exit ");
    EXPECT_EQ(reg::GetDword(HKEY_CURRENT_USER, Settings::kKeyPath, "AutoLaunch"), 1u);
}

TEST_F(TrayMenu, WithTheLibraryDownNothingThatShowsAWindowCanBeChosen) {
    libraryDown = true;
    HMENU menu = tray.BuildMenu();
    for (UINT id : {Tray::kOpen, Tray::kAbout, Tray::kAutoLaunch, Tray::kAlwaysOnTop, Tray::kExit, Tray::kHistory})
        EXPECT_EQ((GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) != 0,
                  id == Tray::kOpen || id == Tray::kAbout || id == Tray::kHistory)
            << id;
    DestroyMenu(menu);
}

// Run by a box's own loop: the first tick under a box starts a new run of failures, later ones close it.
int g_ticks = 0, g_boxes = 0, g_mostAtOnce = 0;
Tray* g_tray = nullptr;
void CALLBACK UnderTheBox(HWND, UINT, UINT_PTR, DWORD) {
    const int open = static_cast<int>(e2e::FindModalBoxes(GetCurrentProcessId()).size());
    if (open > g_mostAtOnce) g_mostAtOnce = open;
    if (open && ++g_ticks == 1) g_tray->Restore(), g_tray->Remove(), g_tray->SetImage(2);
    else if (open) g_boxes += e2e::CloseModalBoxes(GetCurrentProcessId());
}

TEST_F(TrayMenu, TheIconLeavesTheShellWhileItsWindowLivesAndFailuresAreReportedOncePerRun) {
    // The shell drops the icons of destroyed windows by itself: only a live one shows the removal.
    RegisterElxWndClass(GetModuleHandleA(nullptr));
    ElxWnd window(nullptr, WS_POPUP, 0, false);
    // The shell's tray comes up with the desktop, which the first window of the prefix starts.
    ASSERT_TRUE(e2e::WaitUntil([] { return FindWindowA("Shell_TrayWnd", nullptr) != nullptr; }, 30000));
    tray.Add(window.Handle(), 1124);
    EXPECT_TRUE(e2e::TrayIconPresent(window.Handle(), 1124, "Quorvane")) << "the icon was not added";
    tray.Remove();
    EXPECT_FALSE(e2e::TrayIconPresent(window.Handle(), 1124, "Quorvane")) << "the icon stayed in the shell";
    // The shell knows no icon now: every change of the image fails, as from the alert timer.
    g_tray = &tray;
    SetTimer(window.Handle(), 1, 10, &UnderTheBox);
    for (int image = 1; image <= 4; ++image) tray.SetImage(image);
    for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);) DispatchMessageA(&message);
    EXPECT_EQ(g_boxes, 2) << "one box for each run of failures";
    EXPECT_EQ(g_mostAtOnce, 1) << "a box opened over another";
}

}  // namespace
