// The history: which changes two generations make, the bound of the log, and the file's text,
// which must come back whole and turn garbage away without harm.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "model/History.h"
#include "model/HistoryFile.h"

namespace {

using history::Event;

history::DeviceState Disk(bool connected = true, const char* hub = "Hub", const char* port = "1", uint8_t severity = 0,
                          const char* name = "Disk") {
    return {"disk", name, 0x83, severity, connected, hub, port, 1023, 7};
}
const history::DeviceState kKeys{"keys", "Keys", 0x83, 0, true, "Hub", "2"};

// An entry as a failure prints it: event, key, name, place, severity, and what it was.
std::string Describe(const history::Entry& e) {
    return std::string(history::EventWord(e.event)) + " " + e.device.key + " " + e.device.name + " " + e.device.hub +
           ":" + e.device.port + " " + std::to_string(e.device.severity) + " was " + e.oldName + "|" + e.oldHub + ":" +
           e.oldPort + "|" + std::to_string(e.oldSeverity);
}
template <class Entries>
std::vector<std::string> Describe(const Entries& entries) {
    std::vector<std::string> out;
    for (const history::Entry& e : entries) out.push_back(Describe(e));
    return out;
}

TEST(History, EachKindOfChangeIsOneEntryWithWhatItWasAndANewRunOneEntryOnly) {
    const struct {
        const char* what;
        history::Snapshot before, after;
        uint8_t code;
        std::vector<std::string> expected;
    } cases[] = {
        {"nothing changed", {kKeys, Disk()}, {kKeys, Disk()}, 0, {}},
        {"a new device", {kKeys}, {kKeys, Disk()}, 1, {"plugged disk Disk Hub:1 0 was |:|0"}},
        {"a new record not connected", {kKeys}, {kKeys, Disk(false)}, 1, {}},
        {"connected again", {Disk(false)}, {Disk()}, 1, {"plugged disk Disk Hub:1 0 was |:|0"}},
        {"disconnected", {Disk(true, "Hub", "1", 2)}, {Disk(false, "", "")}, 1, {"unplugged disk Disk Hub:1 2 was |:|0"}},
        {"gone while connected", {Disk(), kKeys}, {kKeys}, 1, {"unplugged disk Disk Hub:1 0 was |:|0"}},
        {"gone while disconnected", {Disk(false)}, {}, 1, {}},
        {"another hub", {Disk()}, {Disk(true, "Dock")}, 1, {"moved disk Disk Dock:1 0 was |Hub:1|0"}},
        {"another port", {Disk()}, {Disk(true, "Hub", "3")}, 1, {"moved disk Disk Hub:3 0 was |Hub:1|0"}},
        {"worse health", {Disk()}, {Disk(true, "Hub", "1", 4)}, 0, {"health disk Disk Hub:1 4 was |:|0"}},
        {"health while away", {Disk(false)}, {Disk(false, "Hub", "1", 2)}, 0, {}},
        {"a new name", {Disk()}, {Disk(true, "Hub", "1", 0, "Backup")}, 0, {"renamed disk Backup Hub:1 0 was Disk|:|0"}},
        {"moved and failing", {Disk()}, {Disk(true, "Dock", "2", 3)}, 1,
         {"moved disk Disk Dock:2 3 was |Hub:1|0", "health disk Disk Dock:2 3 was |:|0"}},
        {"a new library run", {kKeys, Disk()}, {Disk(false, "Dock", "2", 4)}, 2, {"restarted   : 0 was |:|0"}},
        {"a new run, nothing else", {Disk()}, {Disk()}, 2, {"restarted   : 0 was |:|0"}},
    };
    for (const auto& c : cases) {
        const std::vector<history::Entry> entries = history::Compare(c.before, c.after, c.code, {5, 6});
        EXPECT_EQ(Describe(entries), c.expected) << c.what;
        for (const history::Entry& e : entries) EXPECT_EQ(e.time.local, 6u) << c.what;
    }
}

TEST(History, TheLogKeepsTheLastThousandDroppingTheOldestFirst) {
    history::Log log;
    for (int i = 0; i < 1003; ++i) log.Add({{}, Event::Plugged, {"k" + std::to_string(i)}});
    ASSERT_EQ(log.Entries().size(), 1000u);
    EXPECT_EQ(log.Entries().front().device.key, "k3");
    EXPECT_EQ(log.Entries().back().device.key, "k1002");
}

history::Entry Full(Event event, const std::string& text) {
    return {{133000000000000000ull + text.size(), 133000000360000000ull}, event,
            Disk(event != Event::Unplugged, ("Hub " + text).c_str(), "C", 3, ("Name " + text).c_str()),
            "was " + text, "old hub " + text, "12", 4};
}

TEST(History, TheFileGivesBackEveryFieldWhateverTheTextsHold) {
    history::Log written, read;
    const char* texts[] = {"plain", "tab\there", "line\r\nend", "back\\slash\\t", "\xE9t\xE9", ""};
    for (int i = 0; i < 6; ++i) written.Add(Full(Event(i), texts[i]));
    ASSERT_TRUE(history::ReadHistoryText(history::HistoryText(written.Entries()), read));
    EXPECT_EQ(Describe(read.Entries()), Describe(written.Entries()));
    for (size_t i = 0; i < read.Entries().size(); ++i) {
        const history::Entry &a = read.Entries()[i], &b = written.Entries()[i];
        EXPECT_EQ(std::vector({a.time.utc, a.time.local, uint64_t(a.device.kind), uint64_t(a.device.connected),
                               uint64_t(a.device.icon), uint64_t(a.device.iconGroup)}),
                  std::vector({b.time.utc, b.time.local, uint64_t(b.device.kind), uint64_t(b.device.connected),
                               uint64_t(b.device.icon), uint64_t(b.device.iconGroup)})) << i;
    }
}

TEST(History, TheFileReaderTurnsAnythingElseAwayAndLeavesTheLogAsItWas) {
    const std::string good = history::HistoryText({Full(Event::Moved, "x")});
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        return text.replace(text.find(from), from.size(), to);
    };
    const std::string cases[] = {
        "", replaced("history 1", "history 2"), good.substr(0, good.size() - 5), good.substr(good.find('\n') + 1),
        replaced("\tmoved", ""), replaced("\t4\r\n", "\t4\t4\r\n"), replaced("moved", "melted"),
        replaced("\t131\t", "\t1x1\t"), replaced("\t131\t", "\t-1\t"), replaced("\t1023\t", "\t65536\t"),
        replaced("133000000000000001", "99999999999999999999"), replaced("\t1\tHub x", "\t2\tHub x"),
        replaced("Hub x", "Hub \\q"), replaced("old hub x", "old hub x\\"), replaced("Name x", std::string(300, 'n')),
        std::string("\x00\xFF\x7F\n\n\x01", 6)};
    for (const std::string& text : cases) {
        history::Log log;
        log.Add(Full(Event::Plugged, "kept"));
        EXPECT_FALSE(history::ReadHistoryText(text, log)) << text;
        EXPECT_EQ(Describe(log.Entries()), Describe(std::vector{Full(Event::Plugged, "kept")})) << text;
    }
}

}  // namespace
