// The tray's balloons as the shell shows them: a serious failure by default, every change once
// chosen from the tray menu, and a hundred changes in a row as one.
#include <gtest/gtest.h>
#include <set>
#include <string>
#include "tests/e2e/QuorvaneRun.h"
#include "tests/support/TopWindows.h"
#include "tests/support/TrayIcons.h"

namespace {

constexpr DWORD kTimeoutMs = 30000;

// The texts of the balloons that showed since the object was made, each once.
struct NewBalloons {
    std::set<HWND> seen;
    std::vector<std::string> texts;
    NewBalloons() { Look(), texts.clear(); }
    size_t Look() {
        for (const auto& [window, text] : e2e::ShownBalloons())
            if (seen.insert(window).second) texts.push_back(text);
        return texts.size();
    }
};

TEST(Notify, AFailureByDefaultEveryChangeOnceChosenAndAHundredChangesAsOne) {
    const e2e::InstalledSettings settings;
    e2e::QuorvaneRun run(e2e::ShippedScenario("test-small.json"));
    ASSERT_NE(e2e::WaitForMonitor(run), nullptr);
    // The camera fails and recovers until the quiet start-up is over and a balloon tells of it.
    NewBalloons failure;
    int flips = 0;
    auto flipUntilTold = [&] {
        EXPECT_TRUE(run.Change(++flips % 2 ? "severity cam 4" : "severity cam 0"));
        return e2e::WaitUntil([&] { return failure.Look() > 0; }, 4000);
    };
    ASSERT_TRUE(e2e::WaitUntil(flipUntilTold, 60000)) << "no balloon for a serious failure";
    EXPECT_EQ(failure.texts, std::vector<std::string>{"Cam: serious failure"});

    // Up to the last entry, into its submenu, down to the last choice.
    ASSERT_TRUE(e2e::ChooseFromTrayMenu(run, {VK_UP, VK_RIGHT, VK_DOWN, VK_DOWN, VK_RETURN}));
    ASSERT_TRUE(e2e::WaitUntil([&] { return settings.Get("Notifications") == 2u; }, kTimeoutMs));
    NewBalloons hundred;
    const char* const commands[] = {"unplug disk", "severity keys 3", "plug disk", "severity keys 1"};
    for (int i = 0; i < 100; ++i) ASSERT_TRUE(run.Change(commands[i % 4])) << i;
    EXPECT_TRUE(e2e::WaitUntil([&] { return hundred.Look() > 0; }, kTimeoutMs)) << "no balloon for the hundred";
    // A second balloon would follow within seconds.
    e2e::WaitUntil([&] { return hundred.Look() > 1; }, 10000);
    ASSERT_EQ(hundred.texts.size(), 1u) << hundred.texts.back();
    EXPECT_NE(hundred.texts[0].find(" changes"), std::string::npos) << hundred.texts[0];
}

}  // namespace
