// The history as the program leaves it in its state folder, read after the program ends: what
// changes driven through the stand-in library wrote, and that the next run carries it on. And
// the words the event log gives each kind of entry, from the program's message table.
#include <gtest/gtest.h>
#include <windows.h>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>
#include "resources/EventMessages.h"
#include "tests/e2e/QuorvaneRun.h"
#include "tests/support/Paths.h"

namespace {

using e2e::QuorvaneRun;

// Each entry's line cut at its tabs: time, local time, event, key, name, kind, severity,
// connected, hub, port, icon, icon group, old name, old hub, old port, old severity.
std::vector<std::vector<std::string>> Entries(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<std::vector<std::string>> entries;
    std::string line;
    std::getline(in, line);  // the header
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::vector<std::string>& fields = entries.emplace_back();
        std::istringstream cut(line);
        for (std::string field; std::getline(cut, field, '\t');) fields.push_back(field);
    }
    return entries;
}

// The fields a test looks at: event, key, hub, port, and the severity before and after.
std::vector<std::string> Summary(const std::vector<std::vector<std::string>>& entries) {
    std::vector<std::string> out;
    for (const auto& f : entries)
        out.push_back(f.size() == 16 ? f[2] + " " + f[3] + " " + f[8] + ":" + f[9] + " " + f[15] + ">" + f[6]
                                     : "a line of " + std::to_string(f.size()) + " fields");
    return out;
}

TEST(History, ChangesAreInTheStateFolderAfterTheProgramEndsAndTheNextRunAddsToThem) {
    const std::string state = e2e::NewTemporaryFolder();
    const std::string file = state + "\\Quorvane\\quorvane-history.txt";
    {
        QuorvaneRun run(e2e::ShippedScenario("test-small.json"), {{"LOCALAPPDATA", state}});
        ASSERT_TRUE(run.WaitForRebuilds(1));
        for (const char* command : {"change 0", "unplug disk", "plug phone"}) ASSERT_TRUE(run.Change(command)) << command;
    }  // ended at once: each change was written when it came
    const std::vector<std::string> first = {"unplugged disk Bench Hub:1 0>2", "plugged phone Bench Hub:2 0>0"};
    EXPECT_EQ(Summary(Entries(file)), first);
    {
        QuorvaneRun run(e2e::ShippedScenario("test-small.json"), {{"LOCALAPPDATA", state}});
        ASSERT_TRUE(run.WaitForRebuilds(1));
        for (const char* command : {"severity cam 4 Broken", "change 2"}) ASSERT_TRUE(run.Change(command)) << command;
    }
    std::vector<std::string> both = first;
    both.insert(both.end(), {"health cam Bench Hub:3 0>4", "restarted  : 0>0"});
    EXPECT_EQ(Summary(Entries(file)), both);
    e2e::RemoveFolder(state);
}

TEST(History, EachEventHasItsWordsForTheEventLogInTheProgram) {
    HMODULE program = LoadLibraryExA((e2e::BinDir() + "\\Quorvane.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr);
    const wchar_t* texts[] = {L"Disk", L"disk-key", L"Dock", L"4", L"Old Hub", L"7"};
    DWORD_PTR insertions[6];
    for (int i = 0; i < 6; ++i) insertions[i] = reinterpret_cast<DWORD_PTR>(texts[i]);
    const struct { DWORD id; std::vector<const wchar_t*> shown; } events[] = {
        {EVENT_PLUGGED, {L"Disk", L"disk-key", L"Dock", L"4"}},
        {EVENT_UNPLUGGED, {L"Disk", L"disk-key", L"Dock", L"4"}},
        {EVENT_MOVED, {L"Disk", L"disk-key", L"Dock", L"4", L"Old Hub", L"7"}},
        {EVENT_HEALTH, {L"Disk", L"disk-key", L"Old Hub", L"7"}},
        {EVENT_RENAMED, {L"Disk", L"disk-key", L"Old Hub"}},
        {EVENT_RESTARTED, {}},
    };
    for (const auto& event : events) {
        wchar_t text[512] = L"";
        const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_ARGUMENT_ARRAY, program,
                                            event.id, 0, text, 512, reinterpret_cast<va_list*>(insertions));
        EXPECT_GT(length, 10u) << "no words for event " << event.id;
        for (const wchar_t* shown : event.shown)
            EXPECT_NE(std::wstring(text).find(shown), std::wstring::npos) << event.id;
    }
    FreeLibrary(program);
}

}  // namespace
