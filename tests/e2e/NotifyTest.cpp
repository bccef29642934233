// The tray's balloons as the shell shows them: chosen from the tray menu, one names the device
// of a single change, and a hundred changes in a row give one.
#include <gtest/gtest.h>
#include <set>
#include <string>
#include "tests/e2e/QuorvaneRun.h"
#include "tests/support/TopWindows.h"
#include "tests/support/TrayIcons.h"

namespace {

using e2e::QuorvaneRun;
constexpr DWORD kTimeoutMs = 30000;

// Balloons that showed since the object was made, each once, by its window.
struct NewBalloons {
    std::set<HWND> seen;
    std::vector<std::string> texts;
    NewBalloons() {
        for (const auto& balloon : e2e::ShownBalloons()) seen.insert(balloon.first);
    }
    size_t Look() {
        for (const auto& [window, text] : e2e::ShownBalloons())
            if (seen.insert(window).second) texts.push_back(text);
        return texts.size();
    }
};

TEST(Notify, ChosenFromTheTrayOneChangeNamesItsDeviceAndAHundredGiveOneBalloon) {
    const e2e::InstalledSettings settings;
    QuorvaneRun run(e2e::ShippedScenario("test-small.json"));
    ASSERT_NE(e2e::WaitForMonitor(run), nullptr);
    // Up to the last entry, the submenu, into it, down to its last choice.
    ASSERT_TRUE(e2e::ChooseFromTrayMenu(run, {VK_UP, VK_RIGHT, VK_DOWN, VK_DOWN, VK_RETURN}));
    ASSERT_TRUE(e2e::WaitUntil([&] { return settings.Get("Notifications") == 2u; }, kTimeoutMs))
        << "\"Every change\" was not stored";

    // The disk comes and goes until the quiet start-up is over and a balloon tells of it.
    NewBalloons single;
    bool plugged = true;
    auto changeUntilTold = [&] {
        if (single.Look()) return true;
        EXPECT_TRUE(run.Change(plugged ? "unplug disk" : "plug disk"));
        plugged = !plugged;
        return e2e::WaitUntil([&] { return single.Look() > 0; }, 4000);
    };
    ASSERT_TRUE(e2e::WaitUntil(changeUntilTold, 60000)) << "no balloon for a change";
    ASSERT_EQ(single.texts.size(), 1u);
    EXPECT_TRUE(single.texts[0] == "Disk unplugged" || single.texts[0] == "Disk plugged in") << single.texts[0];

    // A hundred health changes of three other devices, as fast as the library takes them.
    NewBalloons hundred;
    const char* const devices[] = {"cam", "phone", "keys"};
    for (int i = 0; i < 100; ++i) {
        ASSERT_TRUE(run.Change(std::string("severity ") + devices[i % 3] + (i % 2 ? " 3" : " 1"))) << i;
        hundred.Look();
    }
    EXPECT_TRUE(e2e::WaitUntil([&] { return hundred.Look() > 0; }, kTimeoutMs)) << "no balloon for the hundred";
    // A second balloon would follow within seconds: it is looked for a while longer.
    e2e::WaitUntil([&] { return hundred.Look() > 1; }, 10000);
    ASSERT_EQ(hundred.texts.size(), 1u) << hundred.texts.back();
    EXPECT_NE(hundred.texts[0].find("changes"), std::string::npos) << hundred.texts[0];
}

}  // namespace
