// The history: which changes two generations make, the bound of the log, and the file's text,
// which must come back whole and turn garbage away without harm.
#include <gtest/gtest.h>
#include <deque>
#include <string>
#include <vector>
#include "model/History.h"
#include "model/HistoryFile.h"

namespace {

using history::DeviceState;
using history::Entry;
using history::Event;

DeviceState Disk(bool connected = true, const char* hub = "Hub", const char* port = "1", uint8_t severity = 0,
                 const char* name = "Disk") {
    DeviceState state;
    state.key = "disk";
    state.name = name;
    state.kind = 0x83;
    state.severity = severity;
    state.connected = connected;
    state.hub = hub;
    state.port = port;
    return state;
}

// What one entry says, in a form a failure prints readably.
std::string Describe(const Entry& e) {
    return std::string(history::EventWord(e.event)) + " " + e.device.key + " " + e.device.name + " at " +
           e.device.hub + ":" + e.device.port + " sev " + std::to_string(e.device.severity) + " was " + e.oldName +
           "|" + e.oldHub + ":" + e.oldPort + "|" + std::to_string(e.oldSeverity);
}

std::vector<std::string> Describe(const std::vector<Entry>& entries) {
    std::vector<std::string> out;
    for (const Entry& e : entries) out.push_back(Describe(e));
    return out;
}

TEST(HistoryCompare, EachKindOfChangeIsOneEntryWithWhatItWas) {
    const DeviceState keys = [] {
        DeviceState k = Disk();
        k.key = "keys";
        k.name = "Keys";
        return k;
    }();
    const struct {
        const char* what;
        history::Snapshot before, after;
        uint8_t code;
        std::vector<std::string> expected;
    } cases[] = {
        {"nothing changed", {keys, Disk()}, {keys, Disk()}, 0, {}},
        {"a new device", {keys}, {keys, Disk()}, 1, {"plugged disk Disk at Hub:1 sev 0 was |:|0"}},
        {"a new record not connected", {keys}, {keys, Disk(false)}, 1, {}},
        {"connected again", {Disk(false)}, {Disk()}, 1, {"plugged disk Disk at Hub:1 sev 0 was |:|0"}},
        {"disconnected", {keys, Disk(true, "Hub", "1", 2)}, {keys, Disk(false, "", "", 0)}, 1,
         {"unplugged disk Disk at Hub:1 sev 2 was |:|0"}},
        {"gone while connected", {Disk(), keys}, {keys}, 1, {"unplugged disk Disk at Hub:1 sev 0 was |:|0"}},
        {"gone while disconnected", {Disk(false)}, {}, 1, {}},
        {"another hub", {Disk()}, {Disk(true, "Dock")}, 1, {"moved disk Disk at Dock:1 sev 0 was |Hub:1|0"}},
        {"another port", {Disk()}, {Disk(true, "Hub", "3")}, 1, {"moved disk Disk at Hub:3 sev 0 was |Hub:1|0"}},
        {"worse health", {Disk()}, {Disk(true, "Hub", "1", 4)}, 0, {"health disk Disk at Hub:1 sev 4 was |:|0"}},
        {"better health", {Disk(true, "Hub", "1", 3)}, {Disk()}, 0, {"health disk Disk at Hub:1 sev 0 was |:|3"}},
        {"health while away", {Disk(false)}, {Disk(false, "Hub", "1", 2)}, 0, {}},
        {"a new name", {Disk()}, {Disk(true, "Hub", "1", 0, "Backup")}, 0,
         {"renamed disk Backup at Hub:1 sev 0 was Disk|:|0"}},
        {"moved and failing", {Disk()}, {Disk(true, "Dock", "2", 4)}, 1,
         {"moved disk Disk at Dock:2 sev 4 was |Hub:1|0", "health disk Disk at Dock:2 sev 4 was |:|0"}},
        // A new run of the library: however much differs, one entry says so.
        {"a new library run", {keys, Disk()}, {Disk(false, "Dock", "2", 4)}, 2, {"restarted   at : sev 0 was |:|0"}},
        {"a new run, nothing else", {Disk()}, {Disk()}, 2, {"restarted   at : sev 0 was |:|0"}},
    };
    const history::Stamp time{1234, 5678};
    for (const auto& c : cases) {
        const std::vector<Entry> entries = history::Compare(c.before, c.after, c.code, time);
        EXPECT_EQ(Describe(entries), c.expected) << c.what;
        for (const Entry& e : entries) EXPECT_EQ(e.time.utc, 1234u) << c.what;
    }
}

TEST(HistoryLog, KeepsTheLastThousandDroppingTheOldestFirst) {
    history::Log log;
    for (int i = 0; i < 1003; ++i) {
        Entry entry;
        entry.device.key = "k" + std::to_string(i);
        log.Add(entry);
    }
    ASSERT_EQ(log.Entries().size(), 1000u);
    EXPECT_EQ(log.Entries().front().device.key, "k3");
    EXPECT_EQ(log.Entries().back().device.key, "k1002");
}

Entry Full(Event event, const std::string& text) {
    Entry e;
    e.time = {133000000000000000ull + text.size(), 133000000360000000ull};
    e.event = event;
    e.device = Disk(event != Event::Unplugged, ("Hub " + text).c_str(), "C", 3, ("Name " + text).c_str());
    e.device.key = "key " + text;
    e.device.kind = 0x82;
    e.device.icon = 1023;
    e.device.iconGroup = 7;
    e.oldName = "was " + text;
    e.oldHub = "old hub " + text;
    e.oldPort = "12";
    e.oldSeverity = 4;
    return e;
}

TEST(HistoryFile, EveryFieldComesBackWhateverTheTextsHold) {
    history::Log written;
    const char* texts[] = {"plain", "tab\there", "line\r\nend", "back\\slash\\t", "\xE9t\xE9", ""};
    const Event events[] = {Event::Plugged, Event::Unplugged, Event::Moved, Event::Health, Event::Renamed,
                            Event::Restarted};
    for (int i = 0; i < 6; ++i) written.Add(Full(events[i], texts[i]));
    history::Log read;
    ASSERT_TRUE(history::ReadHistoryText(history::HistoryText(written.Entries()), read));
    ASSERT_EQ(read.Entries().size(), written.Entries().size());
    for (size_t i = 0; i < read.Entries().size(); ++i) {
        const Entry &a = read.Entries()[i], &b = written.Entries()[i];
        EXPECT_EQ(Describe(a), Describe(b));
        EXPECT_EQ(a.time.utc, b.time.utc);
        EXPECT_EQ(a.time.local, b.time.local);
        EXPECT_EQ(a.device.kind, b.device.kind);
        EXPECT_EQ(a.device.connected, b.device.connected);
        EXPECT_EQ(a.device.icon, b.device.icon);
        EXPECT_EQ(a.device.iconGroup, b.device.iconGroup);
    }
}

TEST(HistoryFile, AnythingElseIsTurnedAwayAndTheLogLeftAsItWas) {
    history::Log one;
    one.Add(Full(Event::Moved, "x"));
    const std::string good = history::HistoryText(one.Entries());
    const std::string line = good.substr(good.find('\n') + 1);
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        return text.replace(text.find(from), from.size(), to);
    };
    const struct { const char* what; std::string text; } cases[] = {
        {"empty", ""},
        {"another header", replaced("history 1", "history 2")},
        {"cut short", good.substr(0, good.size() - 5)},
        {"no header", line},
        {"a field missing", replaced("\tmoved", "")},
        {"a field more", replaced("\tmoved", "\tmoved\t")},
        {"an unknown event", replaced("moved", "melted")},
        {"a number that is not", replaced("\t130\t", "\t1x0\t")},
        {"a negative number", replaced("\t130\t", "\t-1\t")},
        {"a number too large", replaced("\t1023\t", "\t65536\t")},
        {"a time too large", replaced("133000000000000001", "99999999999999999999")},
        {"a flag that is not one", replaced("\t1\tHub x", "\t2\tHub x")},
        {"a bad escape", replaced("Hub x", "Hub \\q")},
        {"an escape at the end", replaced("old hub x", "old hub x\\")},
        {"a text too long", replaced("Name x", std::string(300, 'n'))},
        {"binary", std::string("\x00\xFF\x7F\n\n\x01", 6)},
    };
    for (const auto& c : cases) {
        history::Log log;
        log.Add(Full(Event::Plugged, "kept"));
        EXPECT_FALSE(history::ReadHistoryText(c.text, log)) << c.what;
        ASSERT_EQ(log.Entries().size(), 1u) << c.what;
        EXPECT_EQ(log.Entries().front().device.key, "key kept") << c.what;
    }
}

TEST(HistoryFile, AFileOfMoreThanAThousandKeepsTheNewest) {
    history::Log many;
    std::deque<Entry> entries;
    for (int i = 0; i < 1200; ++i) entries.push_back(Full(Event::Health, std::to_string(i)));
    ASSERT_TRUE(history::ReadHistoryText(history::HistoryText(entries), many));
    ASSERT_EQ(many.Entries().size(), 1000u);
    EXPECT_EQ(many.Entries().front().device.key, "key 200");
}

}  // namespace
