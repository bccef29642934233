// The tray icon's menu under real input: the switches are written at once, and "Exit"
// saves the placement and ends the program with 0.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/QuorvaneRun.h"
#include "tests/e2e/driver/Input.h"
#include "tests/e2e/driver/TopWindows.h"
#include "tests/e2e/driver/TrayIcons.h"

namespace {

using e2e::QuorvaneRun;
constexpr DWORD kTimeoutMs = 30000;

// Right-clicks the first icon of Wine's tray window and waits for the menu.
bool OpenTrayMenu(HWND tray) {
    RECT client{};
    GetClientRect(tray, &client);
    POINT icon{client.left + 12, client.top + 12};
    ClientToScreen(tray, &icon);
    e2e::ClickAt(icon.x, icon.y, e2e::MouseButton::Right);
    return e2e::WaitForWindow("#32768", nullptr, 0, kTimeoutMs) != nullptr;
}

void Choose(int downPresses) {
    for (int i = 0; i < downPresses; ++i) e2e::PressKey(VK_DOWN);
    e2e::PressKey(VK_RETURN);
}

TEST(Tray, MenuTogglesWriteAtOnceAndExitEndsInOrder) {
    const e2e::InstalledSettings settings;
    QuorvaneRun run(e2e::ShippedScenario("test-small.json"));
    HWND monitor = e2e::WaitForWindow("ElxWnd", "Quorvane Monitor", run.Id(), kTimeoutMs);
    ASSERT_NE(monitor, nullptr);
    HWND tray = e2e::WaitForWindow(nullptr, "Wine System Tray", 0, kTimeoutMs);
    ASSERT_NE(tray, nullptr) << "no tray icon";
    ASSERT_TRUE(e2e::TrayIconPresent(monitor, 1124, "Quorvane")) << "the shell does not know the icon";
    // A restarted shell knows no icon until each program adds its own again.
    ASSERT_TRUE(e2e::ForgetTrayIcon(monitor, 1124));
    SendMessageTimeoutA(monitor, RegisterWindowMessageA("TaskbarCreated"), 0, 0, SMTO_NORMAL, kTimeoutMs, nullptr);
    ASSERT_TRUE(e2e::TrayIconPresent(monitor, 1124, "Quorvane")) << "the icon did not come back";

    // Four down: past "Open", "About", the separator and "Auto-launch" to "Always on top".
    ASSERT_TRUE(OpenTrayMenu(tray));
    Choose(4);
    EXPECT_TRUE(e2e::WaitUntil([&] { return settings.Get("AlwaysOnTop") == 0u; }, kTimeoutMs))
        << "Always on top was not switched off at once";
    EXPECT_FALSE(GetWindowLongA(monitor, GWL_EXSTYLE) & WS_EX_TOPMOST);

    // Up from nothing selected lands on the last entry, "Exit".
    ASSERT_TRUE(OpenTrayMenu(tray));
    e2e::PressKey(VK_UP);
    e2e::PressKey(VK_RETURN);
    DWORD exitCode = 99;
    ASSERT_TRUE(run.Program().WaitForExit(kTimeoutMs, &exitCode)) << "Exit did not end the program";
    EXPECT_EQ(exitCode, 0u);
    EXPECT_TRUE(settings.Get("Monitor.left").has_value()) << "placement not saved";
}

}  // namespace
