// The history window's rows and list: each event in words from its own fields, local times in
// one compact form, and the list newest first, scrolled by the wheel, keeping its rows in view.
#include <gtest/gtest.h>
#include <deque>
#include <string>
#include "framework/SharedLook.h"
#include "graphics/StartupStrips.h"
#include "systemview/HistoryHost.h"
#include "systemview/HistoryList.h"
#include "tests/unit/framework/ElementHost.h"

namespace {

using history::Event;

TEST(HistoryRows, EventsAreToldInWordsFromTheirOwnFieldsAndTimesInOneSortableForm) {
    history::Entry entry{{}, Event::Plugged, {"disk", "Disk", 0, 4}, "Old Disk", "Bench Hub", "2", 0};
    const std::pair<Event, const char*> events[] = {{Event::Plugged, "Plugged in"},
                                                    {Event::Unplugged, "Unplugged"},
                                                    {Event::Moved, "Moved from Bench Hub port 2"},
                                                    {Event::Health, "Health: serious failure (was OK)"},
                                                    {Event::Renamed, "Renamed from 'Old Disk'"},
                                                    {Event::Restarted, "Monitoring restarted"}};
    for (const auto& [event, words] : events) {
        entry.event = event;
        EXPECT_STREQ(HistoryEventText(entry).Chars(), words);
    }
    // FILETIME counts: 100 ns since 1601.
    const std::pair<uint64_t, const char*> times[] = {{0, "1601-01-01 00:00:00"},
                                                      {125911583990000000, "1999-12-31 23:59:59"},
                                                      {133536711070000000, "2024-02-29 09:05:07"}};
    for (const auto& [time, text] : times) EXPECT_STREQ(HistoryTimeText(time).Chars(), text);
}

struct QuietHost : HistoryHost {
    history::Log log;
    const history::Log& HistoryLog() override { return log; }
    void ShowInSystemView(DeviceNode&) override {}
};

TEST(HistoryWindowList, NewestFirstScrolledByTheWheelAndKeptInViewWhileEntriesArrive) {
    RegisterElxWndClass(GetModuleHandleA(nullptr));
    LoadSharedLook(GetModuleHandleA(nullptr));
    LoadStartupStrips();
    SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, 2, nullptr, 0);  // two rows a notch
    QuietHost quiet;
    elements_test::HostWindow host;
    HistoryList list(&host.root, quiet);
    list.SetBounds(0, 0, 300, 2 + 36 * 4);  // four rows
    std::deque<history::Entry> entries;     // keyed by the order they happened in
    auto happen = [&](int count) {
        for (int i = 0; i < count; ++i) entries.push_back({{}, {}, {std::to_string(entries.size())}});
        list.ShowEntries(entries);
    };
    // The keys of the four rows shown, read through the points a press would hit.
    auto shown = [&] {
        std::string keys;
        for (int row = 0; row < 4; ++row)
            if (const HistoryRow* hit = list.RowAt({100, 32 + 36 * row})) keys += hit->Entry().device.key + " ";
        return keys;
    };
    happen(10);
    const struct { int wheel, happen; const char* shown; } steps[] = {
        {0, 0, "9 8 7 6 "},
        {-WHEEL_DELTA, 0, "7 6 5 4 "},
        {-WHEEL_DELTA / 2, 0, "7 6 5 4 "},  // half a notch waits for the other half
        {-WHEEL_DELTA / 2, 0, "5 4 3 2 "},
        {-20 * WHEEL_DELTA, 0, "0 "},  // the last row stays
        {4 * WHEEL_DELTA, 0, "8 7 6 5 "},
        {0, 2, "8 7 6 5 "},  // scrolled down, the rows stay in view
        {3 * WHEEL_DELTA, 0, "11 10 9 8 "},
        {0, 1, "12 11 10 9 "},  // at the top, the newest shows
    };
    for (const auto& step : steps) {
        list.Wheel(step.wheel);
        happen(step.happen);
        EXPECT_EQ(shown(), step.shown) << step.wheel << " " << step.happen;
    }
}

}  // namespace
