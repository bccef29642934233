// Which changes the tray tells of and when, on the rule's own clock: bursts coalesce, a flapping
// device and a storm give one notice, start-up and the options dialog are quiet.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "model/Alerts.h"
#include "model/Notices.h"

namespace {

using history::Event;
using Kind = notices::Notice::Kind;
constexpr uint64_t kLater = 60000;  // well past the quiet start-up

history::Entry Change(Event event, const std::string& key, uint8_t severity = severity::kFine) {
    history::Entry entry{.event = event};
    entry.device = {.key = key, .name = key, .severity = severity};
    return entry;
}

using Step = std::pair<uint64_t, std::vector<history::Entry>>;  // a time and what changed then

// Every notice as it comes due, "what (worst)", and when.
std::vector<std::pair<uint64_t, std::string>> Play(const std::vector<Step>& steps, int32_t level, bool optionsOpen) {
    notices::Rule rule(0);
    std::vector<std::pair<uint64_t, std::string>> shown;
    auto runUntil = [&](uint64_t time) {
        for (auto due = rule.DueAt(); due && *due <= time; due = rule.DueAt()) {
            const auto n = rule.Flush(*due, optionsOpen);
            if (!n) continue;
            const char* words[] = {history::EventWord(n->entry.event), "connected", "disconnected", "changes"};
            const std::string what = n->kind == Kind::One ? n->entry.device.name : std::to_string(n->count);
            shown.emplace_back(*due, words[int(n->kind)] + (" " + what) + " (" + std::to_string(n->worst) + ")");
        }
    };
    for (const auto& [at, entries] : steps) runUntil(at), rule.Take(entries, level, at);
    runUntil(UINT64_MAX);
    return shown;
}

TEST(Notices, BurstsByTheSettingFlappingStartUpAndOptions) {
    std::vector<Step> ten{{kLater, {}}}, mixed, hundred, flapping;
    for (int i = 0; i < 10; ++i) ten[0].second.push_back(Change(Event::Plugged, "d" + std::to_string(i)));
    mixed = ten;
    mixed[0].second.push_back(Change(Event::Health, "phone", severity::kFailure));
    mixed[0].second.push_back(Change(Event::Health, "disk", severity::kWarning));
    for (int i = 0; i < 100; ++i)  // a hundred changes of seven devices in one second
        hundred.push_back({kLater + i * 10, {Change(i % 2 ? Event::Unplugged : Event::Health, std::to_string(i % 7))}});
    // A minute of the disk coming and going twice a second, a minute of quiet, then once more.
    for (uint64_t t = 0; t < 60000; t += 500) flapping.push_back({kLater + t, {Change(Event::Plugged, "disk")}});
    flapping.push_back({kLater + 120000, {Change(Event::Unplugged, "disk")}});
    const struct {
        const char* what;
        std::vector<Step> steps;
        int32_t level;
        std::string expected;
        bool optionsOpen = false;
    } cases[] = {
        {"one device", {{kLater, {Change(Event::Unplugged, "disk")}}}, 2, "unplugged disk (0)"},
        {"a hub's ten devices", ten, 2, "connected 10 (0)"},
        {"mixed", mixed, 2, "changes 12 (4)"},
        {"a flap", {{kLater, {Change(Event::Unplugged, "cam"), Change(Event::Plugged, "cam")}}}, 2, "plugged cam (0)"},
        {"a hundred in a second", hundred, 2, "changes 100 (0)"},
        {"a minute of flapping, then quiet", flapping, 2, "plugged disk (0)|unplugged disk (0)"},
        {"renamed by the user", {{kLater, {Change(Event::Renamed, "cam")}}}, 2, ""},
        {"failures only", mixed, 1, "health phone (4)"},
        {"failures only: a warning", {{kLater, {Change(Event::Health, "disk", severity::kWarning)}}}, 1, ""},
        {"none", mixed, 0, ""},
        {"just after start-up", {{1000, ten[0].second}}, 2, ""},
        {"the options open", mixed, 2, "", true},
    };
    for (const auto& c : cases) {
        std::string told;
        for (const auto& notice : Play(c.steps, c.level, c.optionsOpen))
            told += (told.empty() ? "" : "|") + notice.second;
        EXPECT_EQ(told, c.expected) << c.what;
    }
}

TEST(Notices, BurstsOneAfterAnotherAreToldAFewSecondsApartAtLeast) {
    std::vector<Step> storm;
    for (int i = 0; i < 100; ++i) storm.push_back({kLater + i * 1200, {Change(Event::Plugged, std::to_string(i))}});
    const auto shown = Play(storm, 2, false);
    ASSERT_GE(shown.size(), 2u) << "a storm is never told";
    for (size_t i = 1; i < shown.size(); ++i) EXPECT_GE(shown[i].first - shown[i - 1].first, 3000u);
}

}  // namespace
