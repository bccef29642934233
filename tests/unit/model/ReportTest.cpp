// The report's two forms over hand-made facts: device strings are carried as data, times
// are told in UTC (JSON) and local time (text), and the text form's columns line up.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>

#include "model/Report.h"

namespace {

// 2026-12-06 11:34:25 UTC, and the local time one hour ahead.
constexpr uint64_t kUtc = 134410304650000000ull, kHour = 36000000000ull;

history::Entry Entry(history::Event event, const std::string& name, uint64_t utc) {
    history::Entry e;
    e.event = event;
    e.time = {utc, utc + kHour};
    e.device.key = "key-" + name;
    e.device.name = name;
    return e;
}

report::DeviceFacts Device(int depth, const char* kind, const std::string& key, const std::string& name,
                           bool connected, const std::string& hub) {
    report::DeviceFacts d;
    d.depth = depth;
    d.kind = kind;
    d.key = key;
    d.name = name;
    d.connected = connected;
    d.hub = hub;
    return d;
}

TEST(Report, JsonCarriesDeviceStringsAsEscapedUtf8) {
    const struct {
        std::string ansi, utf8;
    } cases[] = {{"say \"hi\"", "say \"hi\""}, {"C:\\dir", "C:\\dir"},     {"two\nlines\ttab", "two\nlines\ttab"},
                 {"bell\x07", "bell\x07"},     {"caf\xE9", "caf\xC3\xA9"}, {"\x80 5", "\xE2\x82\xAC 5"}};
    for (const auto& c : cases) {
        report::Facts facts;
        facts.devices.push_back(Device(0, "device", "k", c.ansi, true, c.ansi));
        history::Log log;
        log.Add(Entry(history::Event::Plugged, c.ansi, kUtc));
        nlohmann::json json;
        ASSERT_NO_THROW(json = nlohmann::json::parse(report::Json(facts, log, {kUtc, kUtc}))) << c.ansi;
        EXPECT_EQ(json["devices"][0]["name"], c.utf8);
        EXPECT_EQ(json["devices"][0]["hub"], c.utf8);
        EXPECT_EQ(json["history"][0]["name"], c.utf8);
    }
}

TEST(Report, HistoryTimesAreIsoUtcInJson) {
    const struct {
        uint64_t filetime;
        const char* iso;
    } cases[] = {{kUtc, "2026-12-06T11:34:25Z"},
                 {125963423990000000ull, "2000-02-29T23:59:59Z"},
                 {125911583990000000ull, "1999-12-31T23:59:59Z"}};
    history::Log log;
    for (const auto& c : cases) log.Add(Entry(history::Event::Health, "x", c.filetime));
    const auto json = nlohmann::json::parse(report::Json({}, log, {kUtc, kUtc}));
    for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(json["history"][i]["time"], cases[i].iso);
}

std::vector<std::wstring> Lines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    std::wistringstream in(text);
    for (std::wstring line; std::getline(in, line);) lines.push_back(line.substr(0, line.find(L'\r')));
    return lines;
}

TEST(Report, TextIndentsTheTreeAlignsColumnsAndListsHistoryNewestFirst) {
    report::Facts facts;
    facts.computer.name = "DESK";
    facts.devices = {Device(0, "adapter", "", "Adapter", true, ""), Device(1, "hub", "hub", "Hub", true, "Root"),
                     Device(2, "device", "cafe", "Caf\xE9\tBar", true, "Hub"), Device(0, "device", "disk", "Disk", false, "Hub")};
    history::Log log;
    log.Add(Entry(history::Event::Plugged, "Old", kUtc));
    log.Add(Entry(history::Event::Unplugged, "New", kUtc + kHour));
    const auto lines = Lines(report::Text(facts, log, {kUtc, kUtc}));

    // The line whose first column starts with the text, and where the text starts.
    auto find = [&](const std::wstring& first) -> std::pair<size_t, size_t> {
        for (size_t i = 0; i < lines.size(); ++i)
            if (size_t at = lines[i].find_first_not_of(L' ');
                at != std::wstring::npos && lines[i].compare(at, first.size(), first) == 0)
                return {i, at};
        ADD_FAILURE() << "no line starts with the text";
        return {0, 0};
    };
    EXPECT_EQ(find(L"Adapter").second, 2u);
    EXPECT_EQ(find(L"Hub ").second, 4u);
    EXPECT_EQ(find(L"Caf\u00e9 Bar").second, 6u);  // the tab cannot break the columns
    const size_t key = lines[find(L"Device").first].find(L"Key");
    for (const auto& [name, expected] : {std::pair{L"Hub ", L"hub"}, {L"Caf\u00e9", L"cafe"}, {L"Disk", L"disk"}})
        EXPECT_EQ(lines[find(name).first].substr(key), expected) << name;
    // Newest first, in local time.
    EXPECT_LT(find(L"2026-12-06 13:34:25  unplugged").first, find(L"2026-12-06 12:34:25  plugged").first);
}

}  // namespace
