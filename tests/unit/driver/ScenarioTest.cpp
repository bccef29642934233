// The scenario validator: each kind of mistake is named with its line; the shipped
// scenarios are valid and the demo holds what the demo promises.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "driver/Command.h"
#include "driver/Layout.h"
#include "driver/Scenario.h"
#include "tests/unit/driver/LibraryHarness.h"

namespace {

using linsett::Problem;
using linsett::ReadScenario;
using linsett::Scenario;

const char kBase[] = R"({
  "computer": {"name": "PC"},
  "adapters": [{"key": "host", "name": "Host",
    "root_hub": {"key": "root", "number": 1, "ports": 2, "name": "Root"}}],
  "hubs": [
    {"key": "hub", "parent": "root", "port": 1, "number": 2, "ports": 2, "name": "Hub"}
  ],
  "devices": [
    {"key": "dev", "parent": "hub", "port": 1, "name": "Dev"}
  ]
})";

struct Mistake {
    const char* find;     // text of the valid scenario to replace
    const char* replace;  // the mistake; the expected line is where its marker lands
    const char* marker;
    const char* fragment;
};

std::string Apply(const Mistake& m) {
    std::string text = kBase;
    size_t at = text.find(m.find);
    EXPECT_NE(at, std::string::npos) << m.find;
    if (at != std::string::npos) text.replace(at, std::strlen(m.find), m.replace);
    return text;
}

int LineOf(const std::string& text, const char* marker) {
    size_t at = text.find(marker);
    return at == std::string::npos ? -1 : 1 + static_cast<int>(std::count(text.begin(), text.begin() + at, '\n'));
}

TEST(ScenarioReader, AcceptsTheBaseScenario) {
    Scenario scenario;
    Problem problem;
    ASSERT_TRUE(ReadScenario(kBase, scenario, problem)) << problem.message;
    ASSERT_EQ(scenario.units.size(), 3u);
    EXPECT_TRUE(scenario.units[0].rootHub);
    EXPECT_EQ(scenario.units[0].parent, "host");
    EXPECT_EQ(scenario.lightPeriodMs, 100);
}

class ScenarioMistakes : public ::testing::TestWithParam<Mistake> {};

TEST_P(ScenarioMistakes, AreNamedWithLineAndProblem) {
    std::string text = Apply(GetParam());
    Scenario scenario;
    Problem problem;
    ASSERT_FALSE(ReadScenario(text, scenario, problem)) << text;
    EXPECT_EQ(problem.line, LineOf(text, GetParam().marker)) << problem.message;
    EXPECT_NE(problem.message.find(GetParam().fragment), std::string::npos) << problem.message;
    EXPECT_EQ(linsett::DescribeProblem("a.json", problem).rfind("a.json, line ", 0), 0u);
}

const char kDevice[] = R"("name": "Dev"})";
const char kHubName[] = R"("ports": 2, "name": "Hub"})";

INSTANTIATE_TEST_SUITE_P(
    Table, ScenarioMistakes,
    ::testing::Values(
        Mistake{kDevice, "\"name\": \"Dev\",\n \"colour\": \"red\"}", "\"colour\"", "unknown field \"colour\""},
        Mistake{kHubName, "\"ports\": \"two\", \"name\": \"Hub\"}", "\"two\"", "must be a number, not a string"},
        Mistake{"\"port\": 1, \"name\": \"Dev\"", "\"port\": 3, \"name\": \"Dev\"", "\"port\": 3", "it has 2 ports"},
        Mistake{kDevice, "\"name\": \"Dev\"},\n {\"key\": \"dev2\", \"parent\": \"hub\",\n \"port\": 1, \"name\": \"Two\"}",
                "\"port\": 1, \"name\": \"Two\"", "already taken by \"dev\""},
        Mistake{kDevice, "\"name\": \"Dev\",\n \"severity\": 9}", "\"severity\"", "9, outside 0..4"},
        Mistake{kDevice, "\"name\": \"123456789012345678901234567890123\"}", "\"123456789012", "at most 32"},
        Mistake{kDevice, "\"name\": \"Dev\",\n \"manufacturer\": \"mmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmm\"}", "\"manufacturer\"",
                "at most 64"},
        Mistake{kDevice, "\"name\": \"Dev\"},\n {\"key\": \"dev\", \"parent\": \"hub\", \"port\": 2, \"name\": \"D\"}",
                "{\"key\": \"dev\", \"parent\": \"hub\", \"port\": 2", "duplicate key \"dev\""},
        Mistake{"\"parent\": \"hub\"", "\"parent\": \"nowhere\"", "\"nowhere\"", "not a hub of this scenario"},
        Mistake{"\"parent\": \"hub\"", "\"parent\": \"dev\"", "\"parent\": \"dev\"", "not a hub of this scenario"},
        Mistake{"{\"key\": \"dev\"", "{\"key\": \"System\"", "\"System\"", "reserved"},
        Mistake{kHubName, "\"ports\": 2}", "{\"key\": \"hub\"", "lacks the field \"name\""},
        Mistake{"\"port\": 1, \"name\": \"Dev\"", "\"port\": 1, \"port\": 2, \"name\": \"Dev\"", "\"port\": 2",
                "duplicate field \"port\""},
        Mistake{"\"port\": 1, \"name\": \"Dev\"", "\"port\": 1.5, \"name\": \"Dev\"", "1.5", "whole number"},
        Mistake{"\"number\": 1,", "\"number\": 27,", "27", "outside 1..26"},
        Mistake{kDevice, "\"name\": \"Dev\",\n \"icon\": 25}", "\"icon\"", "outside 0..24"},
        Mistake{"\"computer\": {\"name\": \"PC\"},", "\"computer\": {\"name\": \"PC\"},\n \"light_period_ms\": 5,",
                "\"light_period_ms\"", "outside 10..10000"},
        Mistake{"  ]\n}", "  ],\n \"timeline\": {\"events\": [\n {\"at\": 5, \"do\": \"unplug ghost\"}]}\n}",
                "\"unplug ghost\"", "unknown key \"ghost\""},
        Mistake{"  ]\n}", "  ],\n \"timeline\": {\"events\": [\n {\"at\": 5, \"do\": \"dump\"}]}\n}", "\"dump\"",
                "control command only"},
        Mistake{"  ]\n}", "  ],\n \"timeline\": {\"events\": [\n {\"at\": 5, \"do\": \"severity dev 7\"}]}\n}",
                "\"severity dev 7\"", "severity from 0 to 4"},
        Mistake{"\"adapters\": [", "\"adapters\": 3, \"x\": [", "3, \"x\"", "must be an array"}));

TEST(ScenarioReader, RefusesAHubPluggedBelowItself) {
    std::string text = kBase;
    const char* rootPlace = "\"parent\": \"root\", \"port\": 1,";
    text.replace(text.find(rootPlace), std::strlen(rootPlace), "\"parent\": \"hub2\", \"port\": 1,");
    text.replace(text.find(kHubName), std::strlen(kHubName),
                 "\"ports\": 2, \"name\": \"Hub\"},\n {\"key\": \"hub2\", \"parent\": \"hub\", \"port\": 2, "
                 "\"number\": 3, \"ports\": 2, \"name\": \"Hub 2\"}");
    Scenario scenario;
    Problem problem;
    ASSERT_FALSE(ReadScenario(text, scenario, problem));
    EXPECT_NE(problem.message.find("below itself"), std::string::npos) << problem.message;
}

std::string ReadShipped(const char* name) {
    std::ifstream file(linsett_test::ScenarioPath(name), std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(ShippedScenarios, AreValid) {
    for (const char* name : {"demo.json", "no-hardware.json", "test-small.json", "test-timeline.json"}) {
        Scenario scenario;
        Problem problem;
        std::string text = ReadShipped(name);
        ASSERT_FALSE(text.empty()) << name;
        EXPECT_TRUE(ReadScenario(text, scenario, problem)) << linsett::DescribeProblem(name, problem);
    }
}

TEST(ShippedScenarios, DemoShowsEveryKindOfStateItPromises) {
    Scenario demo;
    Problem problem;
    ASSERT_TRUE(ReadScenario(ReadShipped("demo.json"), demo, problem)) << problem.message;
    EXPECT_EQ(demo.adapters.size(), 2u);
    std::set<int> icons;
    int devices = 0, disconnected = 0, rootHubs = 0;
    bool selfPoweredFourPortHub = false;
    for (const linsett::UnitEntry& unit : demo.units) {
        rootHubs += unit.rootHub;
        if (unit.kind == linsett::kDevice) {
            devices += unit.plugged;
            disconnected += !unit.plugged;
            icons.insert(unit.icon);
        } else if (!unit.rootHub) {
            selfPoweredFourPortHub |= unit.selfPowered && unit.ports == 4;
        }
    }
    EXPECT_EQ(rootHubs, 2);
    EXPECT_GE(devices, 8);
    EXPECT_GE(icons.size(), 8u) << "devices of different kinds";
    EXPECT_EQ(disconnected, 1);
    EXPECT_TRUE(selfPoweredFourPortHub);
    // The timeline raises some device to each severity and brings it back, and hot-plugs.
    std::set<int> raised;
    std::map<std::string, int> last;
    std::set<linsett::Verb> verbs;
    for (const linsett::TimelineEvent& event : demo.timeline) {
        linsett::Command command;
        std::string reason;
        ASSERT_TRUE(linsett::ParseCommand(event.command, command, reason)) << reason;
        verbs.insert(command.verb);
        if (command.verb != linsett::Verb::Severity) continue;
        raised.insert(command.level);
        last[command.key] = command.level;
    }
    EXPECT_EQ(raised, (std::set<int>{0, 1, 2, 3, 4}));
    for (const auto& [key, level] : last) EXPECT_EQ(level, 0) << key << " is left at a severity";
    EXPECT_TRUE(verbs.count(linsett::Verb::Plug) && verbs.count(linsett::Verb::Unplug));
}

}  // namespace
