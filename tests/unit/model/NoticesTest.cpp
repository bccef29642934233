// Which changes the tray tells of and when, on the rule's own clock: bursts coalesce, a flapping
// device and a storm give one notice, start-up and the options dialog are quiet.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "model/Alerts.h"
#include "model/Notices.h"

namespace {

using history::Event;
using notices::Notice;
constexpr uint64_t kAfterStart = 60000;  // well past the quiet start-up

history::Entry Change(Event event, const std::string& key, uint8_t severity = severity::kFine) {
    history::Entry entry;
    entry.event = event;
    entry.device.key = entry.device.name = key;
    entry.device.severity = severity;
    return entry;
}

std::vector<history::Entry> Plugs(int count, Event event = Event::Plugged) {
    std::vector<history::Entry> entries;
    for (int i = 0; i < count; ++i) entries.push_back(Change(event, "device" + std::to_string(i)));
    return entries;
}

std::string Describe(const Notice& notice) {
    switch (notice.kind) {
    case Notice::Kind::Connected: return "connected " + std::to_string(notice.count);
    case Notice::Kind::Disconnected: return "disconnected " + std::to_string(notice.count);
    case Notice::Kind::Changes:
        return "changes " + std::to_string(notice.count) + " worst " + std::to_string(notice.worst);
    case Notice::Kind::One: break;
    }
    return std::string(history::EventWord(notice.entry.event)) + " " + notice.entry.device.name + " worst " +
           std::to_string(notice.worst);
}

// Changes fed to the rule at given times; every notice that comes due is taken when it is due.
struct Timeline {
    notices::Rule rule{0};
    std::vector<std::pair<uint64_t, std::string>> shown;
    bool optionsOpen = false;
    void RunUntil(uint64_t time) {
        for (auto due = rule.DueAt(); due && *due <= time; due = rule.DueAt())
            if (auto notice = rule.Flush(*due, optionsOpen)) shown.emplace_back(*due, Describe(*notice));
    }
    void At(uint64_t time, const std::vector<history::Entry>& entries, int32_t level = notices::kEveryChange) {
        RunUntil(time);
        rule.Take(entries, level, time);
    }
};

TEST(Notices, OneBurstIsToldAsOneNoticeByTheSetting) {
    std::vector<history::Entry> mixed = Plugs(10);
    mixed.push_back(Change(Event::Health, "phone", severity::kFailure));
    mixed.push_back(Change(Event::Health, "disk", severity::kWarning));
    const std::vector<history::Entry> flapping = {Change(Event::Unplugged, "disk"), Change(Event::Plugged, "disk")};
    const struct {
        const char* what;
        std::vector<history::Entry> burst;
        int32_t level;
        const char* expected;  // empty: no notice
    } cases[] = {
        {"one device", {Change(Event::Unplugged, "Disk")}, notices::kEveryChange, "unplugged Disk worst 0"},
        {"a hub's ten devices", Plugs(10), notices::kEveryChange, "connected 10"},
        {"ten gone", Plugs(10, Event::Unplugged), notices::kEveryChange, "disconnected 10"},
        {"mixed", mixed, notices::kEveryChange, "changes 12 worst 4"},
        {"a device that flaps", flapping, notices::kEveryChange, "plugged disk worst 0"},
        {"a move", {Change(Event::Moved, "cam")}, notices::kEveryChange, "moved cam worst 0"},
        {"renamed by the user", {Change(Event::Renamed, "cam")}, notices::kEveryChange, ""},
        {"failures only: the failure", mixed, notices::kFailuresOnly, "health phone worst 4"},
        {"failures only: warning", {Change(Event::Health, "disk", severity::kWarning)}, notices::kFailuresOnly, ""},
        {"failures only: plugs", Plugs(3), notices::kFailuresOnly, ""},
        {"none", mixed, notices::kNone, ""},
        {"none, below zero", mixed, -1, ""},
        {"every change, above two", {Change(Event::Plugged, "cam")}, 7, "plugged cam worst 0"},
    };
    for (const auto& c : cases) {
        Timeline timeline;
        timeline.At(kAfterStart, c.burst, c.level);
        timeline.RunUntil(kAfterStart + 600000);
        const std::string told = timeline.shown.empty() ? "" : timeline.shown[0].second;
        EXPECT_EQ(told, c.expected) << c.what;
        EXPECT_LE(timeline.shown.size(), 1u) << c.what;
    }
}

TEST(Notices, AHundredChangesInASecondGiveOneNoticeAndAStormIsSpacedOut) {
    Timeline second;
    for (int i = 0; i < 100; ++i)
        second.At(kAfterStart + i * 10, {Change(i % 2 ? Event::Unplugged : Event::Health, "d" + std::to_string(i % 7))});
    second.RunUntil(kAfterStart + 600000);
    ASSERT_EQ(second.shown.size(), 1u);
    EXPECT_EQ(second.shown[0].second, "changes 100 worst 0");

    // A hundred devices, one after another, each a burst of its own: told, but a few seconds
    // apart at least.
    Timeline storm;
    for (int i = 0; i < 100; ++i) storm.At(kAfterStart + i * 1200, {Change(Event::Plugged, "d" + std::to_string(i))});
    storm.RunUntil(kAfterStart + 600000);
    ASSERT_GE(storm.shown.size(), 2u) << "a storm that never pauses is never told";
    for (size_t i = 1; i < storm.shown.size(); ++i) EXPECT_GE(storm.shown[i].first - storm.shown[i - 1].first, 3000u);
}

TEST(Notices, AFlappingDeviceIsToldOncePerQuietPeriod) {
    Timeline flaps;
    // A minute of the disk coming and going twice a second, a minute of quiet, then once more.
    for (uint64_t t = 0; t < 60000; t += 500)
        flaps.At(kAfterStart + t, {Change(t % 1000 ? Event::Plugged : Event::Unplugged, "disk")});
    flaps.At(kAfterStart + 120000, {Change(Event::Unplugged, "disk")});
    flaps.RunUntil(kAfterStart + 600000);
    ASSERT_EQ(flaps.shown.size(), 2u);
    EXPECT_LT(flaps.shown[0].first, kAfterStart + 60000) << "the flapping was told only when it stopped";
    EXPECT_GT(flaps.shown[1].first, kAfterStart + 120000);
    // Another device is not held back by the one that flaps.
    Timeline other;
    for (uint64_t t = 0; t < 20000; t += 500) other.At(kAfterStart + t, {Change(Event::Plugged, "disk")});
    other.At(kAfterStart + 20000, {Change(Event::Unplugged, "cam")});
    other.RunUntil(kAfterStart + 600000);
    ASSERT_EQ(other.shown.size(), 2u);
    EXPECT_EQ(other.shown[1].second, "unplugged cam worst 0");
}

TEST(Notices, NothingIsToldJustAfterStartUpNorWhileTheOptionsAreOpen) {
    Timeline startup;
    startup.At(1000, Plugs(3));
    startup.RunUntil(kAfterStart);
    EXPECT_TRUE(startup.shown.empty()) << startup.shown[0].second;
    startup.At(kAfterStart, {Change(Event::Unplugged, "disk")});
    startup.RunUntil(kAfterStart + 600000);
    ASSERT_EQ(startup.shown.size(), 1u) << "the start-up silence never ended";

    // Changes while the options are open are dropped, not told once they close.
    Timeline options;
    options.optionsOpen = true;
    options.At(kAfterStart, {Change(Event::Unplugged, "disk")});
    options.RunUntil(kAfterStart + 30000);
    options.optionsOpen = false;
    options.At(kAfterStart + 60000, {Change(Event::Plugged, "cam")});
    options.RunUntil(kAfterStart + 600000);
    ASSERT_EQ(options.shown.size(), 1u);
    EXPECT_EQ(options.shown[0].second, "plugged cam worst 0");
}

}  // namespace
