// Files the library reads: scenarios, each mistake named with its line, and the state file.
#include <gtest/gtest.h>
#include <cstring>
#include "driver/Layout.h"
#include "driver/Scenario.h"
#include "driver/StateFile.h"
#include "driver/Text.h"
#include "driver/World.h"

namespace {

const std::string kBase = R"({
  "computer": {"name": "PC"},
  "adapters": [{"key": "host", "name": "Host",
    "root_hub": {"key": "root", "number": 1, "ports": 2, "name": "Root"}}],
  "hubs": [{"key": "hub", "parent": "root", "port": 1, "number": 2, "ports": 2, "name": "Hub"}],
  "devices": [{"key": "dev", "parent": "hub", "port": 1, "name": "Dev"}]
})";

std::string Replaced(const char* find, const std::string& replace) {
    std::string text = kBase;
    EXPECT_NE(text.find(find), std::string::npos) << find;
    return text.replace(text.find(find), std::strlen(find), replace);
}

TEST(ScenarioReader, NamesEachMistakeWithItsLineAndDecodesEscapes) {
    const char* dev = "\"name\": \"Dev\"}";
    const char* end = "}]\n}";
    const char* timeline = "}],\n \"timeline\": {\"events\": [{\"at\": 5, \"do\": ";
    // Text of the base to replace, the mistake, a text on the line named, and the reason.
    const std::string mistakes[][4] = {
        {dev, "\"name\": \"Dev\",\n \"colour\": \"red\"}", "\"colour\"", "unknown field \"colour\""},
        {"\"ports\": 2, \"name\": \"Hub\"", "\"ports\": \"two\", \"name\": \"Hub\"", "\"two\"", "must be a number"},
        {"\"ports\": 2, \"name\": \"Root\"", "\"ports\": 0, \"name\": \"Root\"", "\"ports\": 0", "0, outside 1..15"},
        {"\"port\": 1, \"name\": \"Dev\"", "\"port\": 3, \"name\": \"Dev\"", "\"port\": 3", "it has 2 ports"},
        {dev, "\"name\": \"Dev\"},\n {\"key\": \"two\", \"parent\": \"hub\", \"port\": 1, \"name\": \"Two\"}",
         "\"key\": \"two\"", "already taken by \"dev\""},
        {dev, "\"name\": \"Dev\",\n \"severity\": 9}", "\"severity\"", "9, outside 0..4"},
        {dev, "\"name\": \"123456789012345678901234567890123\"}", "\"123456789012", "at most 32"},
        {"\"parent\": \"hub\"", "\"parent\": \"dev\"", "\"parent\": \"dev\"", "not a hub of this scenario"},
        {"\"parent\": \"root\", \"port\": 1", "\"parent\": \"hub\", \"port\": 2", "\"port\": 2", "hangs below itself"},
        {"\"ports\": 2, \"name\": \"Hub\"}", "\"ports\": 2}", "{\"key\": \"hub\"", "lacks the field \"name\""},
        {"{\"name\": \"PC\"},", "{\"name\": \"PC\"},\n \"light_period_ms\": 5,", "\"light_", "outside 10..10000"},
        {end, timeline + std::string("\"unplug ghost\"}]}}"), "\"unplug", "unknown key \"ghost\""},
        {end, timeline + std::string("\"dump\"}]}}"), "\"dump\"", "control command only"},
        {dev, "\"name\": \"Dev\",\n \"name\": \"D\"}", "\"name\": \"D\"", "duplicate field \"name\""},
        {dev, "\"name\": \"Dev\nX\"}", "X\"", "unterminated string"},
        {dev, "\"name\": \"\\ud800\"}", "\\ud800", "unpaired surrogate"},
        {end, "}], \"x\": " + std::string(100000, '['), "\"x\"", "too deep"}};
    for (const auto& [find, replace, marker, reason] : mistakes) {
        std::string text = Replaced(find.c_str(), replace);
        linsett::Scenario scenario;
        linsett::Problem problem;
        ASSERT_FALSE(ReadScenario(text, scenario, problem)) << text;
        int line = 1 + static_cast<int>(std::count(text.begin(), text.begin() + text.find(marker), '\n'));
        EXPECT_EQ(problem.line, line) << problem.message;
        EXPECT_NE(problem.message.find(reason), std::string::npos) << problem.message;
    }
    linsett::Scenario scenario;
    linsett::Problem problem;
    ASSERT_TRUE(ReadScenario(Replaced("\"Dev\"", R"("\"\\\/\u00e9\u20ac\ud83d\ude00")"), scenario, problem));
    EXPECT_EQ(scenario.units.back().name, "\"\\/\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
}

TEST(StateFile, KeepsNoneApartFromEmptyAndLeavesTheWorldAloneWhenDamaged) {
    linsett::Scenario scenario;
    linsett::Problem problem;
    ASSERT_TRUE(ReadScenario(kBase, scenario, problem));
    linsett::World world(scenario), restored(scenario);
    world.unit(world.Find("dev")).manufacturer = linsett::UserText{};  // none: the program shows the default
    world.lightSwitch = 1;
    std::string saved = WriteState(world);
    ASSERT_TRUE(ReadState(saved, restored, problem)) << problem.message << saved;
    EXPECT_EQ(restored.units()[restored.Find("dev")].manufacturer.size, 0);
    EXPECT_EQ(restored.lightSwitch, 1);
    const std::string damaged[] = {saved.substr(0, saved.size() / 2), std::string(4, '\0'),
                                   R"({"version": 9, "light": 0, "order": [], "records": {}})",
                                   R"({"version": 1, "light": 0, "order": [], "records": {}, "x": 1})",
                                   R"({"version": 1, "light": 0, "order": [], "records": {"dev": {"name": 5}}})"};
    for (const std::string& text : damaged) {
        EXPECT_FALSE(ReadState(text, restored, problem)) << text;
        EXPECT_EQ(restored.lightSwitch, 1) << text;
    }
}

// Thousands of saved devices: the order as saved (repeats and unknown keys skipped, the rest
// after it as they were), each record on its unit, and a key saved twice refused at its line.
TEST(StateFile, ReadsThousandsOfEntriesInOrderAndRefusesAKeySavedTwice) {
    constexpr int kUnits = 3000;
    linsett::Scenario scenario;
    for (int i = 0; i < kUnits; ++i) {
        scenario.units.emplace_back();
        scenario.units.back().kind = linsett::kDevice;
        scenario.units.back().key = "d" + std::to_string(i);
    }
    linsett::World world(scenario);
    std::string order, records;
    std::vector<std::string> expected;
    for (int i = kUnits - 2; i >= 0; i -= 2) {  // the even ones, last first
        // each followed by a key this world lacks and the first key again
        order += "\"d" + std::to_string(i) + "\", \"gone-" + std::to_string(i) + "\", ";
        order += "\"d" + std::to_string(kUnits - 2) + "\", ";
        expected.push_back("d" + std::to_string(i));
    }
    expected.push_back("Computer");
    for (int i = 1; i < kUnits; i += 2) expected.push_back("d" + std::to_string(i));
    for (int i = 0; i < kUnits; ++i)
        records += ",\n\"d" + std::to_string(i) + "\": {\"name\": \"N" + std::to_string(i) +
                   "\", \"manufacturer\": null, \"description\": null, \"icon\": 1, \"icon_group\": 0}";
    const std::string head = "{\"version\": 1, \"light\": 0, \"order\": [" + order + "\"PC\"], \"records\": {";
    linsett::Problem problem;
    ASSERT_TRUE(ReadState(head + records.substr(1) + "}}", world, problem)) << problem.message;
    EXPECT_EQ(world.OrderKeys(), expected);
    for (int i = 0; i < kUnits; i += 97) {
        const std::string key = "d" + std::to_string(i);
        EXPECT_EQ(linsett::Narrow(world.units()[world.Find(key)].name.text), "N" + std::to_string(i)) << key;
    }

    const std::string twice = records + ",\n\"d0\": {\"name\": null, \"manufacturer\": null, \"description\": null, "
                                        "\"icon\": 1, \"icon_group\": 0}";
    EXPECT_FALSE(ReadState(head + twice.substr(1) + "}}", world, problem));
    EXPECT_EQ(problem.line, kUnits + 2);
    EXPECT_NE(problem.message.find("duplicate field \"d0\""), std::string::npos) << problem.message;
}

}  // namespace
