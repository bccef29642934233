// The simulated world on its own: hot-plug rules, the monitoring order and its moves,
// activity, and the saved state's round trip.
#include <gtest/gtest.h>

#include "driver/Layout.h"
#include "driver/StateFile.h"
#include "driver/Text.h"
#include "driver/World.h"

namespace {

using linsett::Command;
using linsett::Outcome;
using linsett::World;

// A root hub with 3 ports; "hub" (3 ports) on port 2; devices a, b on the root, c on the
// hub; d disconnected, last seen on the hub's port 2.
const char kScenario[] = R"({
  "computer": {"name": "PC"},
  "adapters": [{"key": "host", "name": "Host",
    "root_hub": {"key": "root", "number": 1, "ports": 3, "name": "Root"}}],
  "hubs": [{"key": "hub", "parent": "root", "port": 2, "number": 2, "ports": 3, "name": "Hub"}],
  "devices": [
    {"key": "a", "parent": "root", "port": 1, "name": "A", "activity": "steady"},
    {"key": "b", "parent": "root", "port": 3, "name": "B"},
    {"key": "c", "parent": "hub", "port": 1, "name": "C", "severity": 3, "severity_text": "hot"}],
  "disconnected": [{"key": "d", "parent": "hub", "port": 2, "name": "D"}]
})";

class WorldTest : public ::testing::Test {
protected:
    void SetUp() override {
        linsett::Problem problem;
        ASSERT_TRUE(linsett::ReadScenario(kScenario, scenario_, problem)) << problem.message;
        world_ = std::make_unique<World>(scenario_);
    }
    std::string Run(const std::string& text) {
        Command command;
        std::string reason;
        if (!linsett::ParseCommand(text, command, reason)) return reason;
        return world_->Execute(command, outcome_);
    }
    std::vector<std::string> Shown() {
        std::vector<std::string> keys;
        std::vector<int> order = world_->monitorOrder();
        auto start = std::find(order.begin(), order.end(), world_->MonitorStart());
        std::rotate(order.begin(), start, order.end());
        for (int i : order)
            if (world_->Shown(i)) keys.push_back(world_->units()[i].key);
        return keys;
    }
    int Index(const char* key) { return world_->Find(key); }

    linsett::Scenario scenario_;
    std::unique_ptr<World> world_;
    Outcome outcome_;
};

TEST_F(WorldTest, FirstSightFillsTheUserTextsFromTheDefaults) {
    const linsett::Unit& a = world_->units()[Index("a")];
    EXPECT_EQ(a.name.text, u"A");
    EXPECT_EQ(a.name.size, 4);
    EXPECT_EQ(world_->units()[0].key, "Computer");
}

TEST_F(WorldTest, PlugAndUnplugFollowThePortRules) {
    struct Case {
        const char* command;
        const char* refusal;  // empty: accepted
    };
    const Case cases[] = {
        {"plug a", "already plugged in"},
        {"unplug d", "not plugged in"},
        {"unplug root", "cannot be plugged or unplugged"},
        {"unplug Computer", "cannot be plugged or unplugged"},
        {"plug d at root 1", "taken by \"a\""},
        {"plug d at hub 4", "only 3 ports"},
        {"plug d at a 1", "not a hub"},
        {"plug ghost", "unknown key"},
        {"unplug hub", ""},
        {"plug d", "not connected"},  // its hub is gone with everything below it
        {"plug hub at c 1", "not a hub"},
        {"plug hub", ""},
        {"plug d at host 1", "taken by \"a\""},  // an adapter stands for its root hub
        {"unplug a", ""},
        {"plug d at host 1", ""},
        {"plug a", "taken by \"d\""},
    };
    for (const Case& c : cases) {
        std::string result = Run(c.command);
        if (*c.refusal) EXPECT_NE(result.find(c.refusal), std::string::npos) << c.command << ": " << result;
        else EXPECT_EQ(result, "") << c.command;
    }
    EXPECT_TRUE(world_->Connected(Index("d")));
    EXPECT_EQ(world_->units()[Index("d")].parent, "root");
    EXPECT_FALSE(world_->Connected(Index("a")));
}

TEST_F(WorldTest, UnpluggingAHubDisconnectsWhatHangsBelowIt) {
    EXPECT_TRUE(world_->Connected(Index("c")));
    ASSERT_EQ(Run("unplug hub"), "");
    EXPECT_TRUE(outcome_.rebuild);
    EXPECT_FALSE(world_->Connected(Index("c")));
    EXPECT_EQ(world_->OverallSeverity(nullptr), 0) << "a disconnected device still counts";
    ASSERT_EQ(Run("plug hub"), "");
    EXPECT_TRUE(world_->Connected(Index("c")));
    std::string text;
    EXPECT_EQ(world_->OverallSeverity(&text), 3);
    EXPECT_NE(text.find("hot"), std::string::npos);
}

TEST_F(WorldTest, MovesCountPlacesAmongShownRecordsAndClamp) {
    ASSERT_EQ(Shown(), (std::vector<std::string>{"Computer", "a", "b", "c"}));
    EXPECT_TRUE(world_->Move(Index("c"), -1));
    EXPECT_EQ(Shown(), (std::vector<std::string>{"Computer", "a", "c", "b"}));
    EXPECT_TRUE(world_->Move(Index("b"), -10));  // past the front: clamps to the front
    EXPECT_EQ(Shown(), (std::vector<std::string>{"b", "Computer", "a", "c"}));
    EXPECT_EQ(world_->units()[world_->MonitorStart()].key, "b");
    EXPECT_TRUE(world_->Move(Index("Computer"), 10));
    EXPECT_EQ(Shown(), (std::vector<std::string>{"b", "a", "c", "Computer"}));
    EXPECT_FALSE(world_->Move(Index("Computer"), 1)) << "already last";
    EXPECT_FALSE(world_->Move(Index("d"), -1)) << "a disconnected device is not shown";
    EXPECT_FALSE(world_->Move(Index("hub"), -1)) << "hubs are not shown";
    EXPECT_EQ(world_->monitorOrder().size(), world_->units().size()) << "every record stays in the ring";
}

TEST_F(WorldTest, ActivityFollowsPatternsAndHeldCodes) {
    bool moved = false;
    for (int tick = 0; tick < 50; ++tick) {
        moved |= world_->StepActivity();
        int a = world_->units()[Index("a")].status;
        EXPECT_TRUE(a == 2 || a == 3) << "steady stays busy";
        EXPECT_EQ(world_->units()[Index("b")].status, 0) << "idle stays idle";
    }
    EXPECT_TRUE(moved);
    ASSERT_EQ(Run("status b 4"), "");
    EXPECT_FALSE(outcome_.rebuild);
    world_->StepActivity();
    EXPECT_EQ(world_->units()[Index("b")].status, 4);
    EXPECT_NE(Run("status hub 1").find("not a device"), std::string::npos);
}

TEST_F(WorldTest, SavedStateRoundTripsTextsIconsOrderAndLight) {
    world_->unit(Index("a")).name.Set(u"Zo\u00eb \u4e2d");  // beyond the ANSI code page
    world_->unit(Index("a")).manufacturer = linsett::UserText{};  // none
    world_->unit(Index("c")).icon = 13;
    world_->unit(Index("c")).iconGroup = 6;
    world_->lightSwitch = 1;
    world_->Move(Index("c"), -3);
    std::string saved = linsett::WriteState(*world_);

    World restored(scenario_);
    linsett::Problem problem;
    ASSERT_TRUE(linsett::ReadState(saved, restored, problem)) << problem.message << "\n" << saved;
    const linsett::Unit& a = restored.units()[restored.Find("a")];
    EXPECT_EQ(a.name.text, u"Zo\u00eb \u4e2d");
    EXPECT_EQ(a.manufacturer.size, 0);
    EXPECT_EQ(restored.units()[restored.Find("c")].icon, 13);
    EXPECT_EQ(restored.units()[restored.Find("c")].iconGroup, 6);
    EXPECT_EQ(restored.lightSwitch, 1);
    EXPECT_EQ(restored.OrderKeys(), world_->OrderKeys());
}

TEST_F(WorldTest, DamagedStateIsRefusedWithoutTouchingTheWorld) {
    std::string good = linsett::WriteState(*world_);
    const std::string damaged[] = {
        good.substr(0, good.size() / 2),                                     // truncated
        "{\"version\": 1, \"light\": 0, \"order\": [], \"records\": {\"a\": {\"name\": 5, \"manufacturer\": null, "
        "\"description\": null, \"icon\": 1, \"icon_group\": 0}}}",           // wrong type
        "{\"version\": 9, \"light\": 0, \"order\": [], \"records\": {}}",     // unknown version
        "{\"version\": 1, \"light\": 0, \"order\": [], \"records\": {}, \"x\": 1}",  // unknown field
        std::string("\0\0\0\0", 4),                                          // zeros after a crash
    };
    world_->lightSwitch = 1;
    for (const std::string& text : damaged) {
        linsett::Problem problem;
        EXPECT_FALSE(linsett::ReadState(text, *world_, problem)) << text;
        EXPECT_FALSE(problem.message.empty());
        EXPECT_EQ(world_->lightSwitch, 1);
        EXPECT_EQ(world_->units()[Index("a")].name.text, u"A");
    }
}

}  // namespace
