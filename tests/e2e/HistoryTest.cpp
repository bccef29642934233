// The history as the program leaves it in its state folder, read after the program ends, and
// the event log's words for each kind of entry, from the program's message table.
#include <gtest/gtest.h>
#include <windows.h>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>
#include "resources/EventMessages.h"
#include "tests/e2e/QuorvaneRun.h"
#include "tests/support/Paths.h"
#include "tests/support/TopWindows.h"

namespace {

// Each entry's line cut at its tabs (time, local time, event, key, name, kind, severity,
// connected, hub, port, icon, icon group, old name, old hub, old port, old severity), told
// by its event, key, place and severity before and after.
std::vector<std::string> Entries(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<std::string> entries, f;
    for (std::string line; std::getline(in, line); f.clear()) {
        line = line.substr(0, line.find('\r'));
        std::istringstream cut(line);
        for (std::string field; std::getline(cut, field, '\t');) f.push_back(field);
        if (f.size() == 16) entries.push_back(f[2] + " " + f[3] + " " + f[8] + ":" + f[9] + " " + f[15] + ">" + f[6]);
        else if (!entries.empty() || line.rfind("Quorvane history", 0) != 0) entries.push_back(line);
    }
    return entries;
}

// A damaged history is set aside and told once; the changes of two runs follow in a new file.
TEST(History, ChangesAreInTheStateFolderAfterTheProgramEndsAndTheNextRunAddsToThem) {
    const std::string state = e2e::NewTemporaryFolder(), file = state + "\\Quorvane\\quorvane-history.txt";
    CreateDirectoryA((state + "\\Quorvane").c_str(), nullptr);
    std::ofstream(file, std::ios::binary) << "Quorvane history 1\r\ndamaged\r\n";
    const std::vector<std::vector<const char*>> runs = {{"unplug disk", "plug phone"}, {"severity cam 4 Broken", "change 2"}};
    for (const auto& commands : runs) {
        e2e::QuorvaneRun run(e2e::ShippedScenario("test-small.json"), {{"LOCALAPPDATA", state}});
        if (&commands == &runs[0]) {
            EXPECT_NE(e2e::WaitForModalBox(run.Id(), 30000).text.find("quorvane-history.damaged-1.txt"), std::string::npos);
            e2e::CloseModalBoxes(run.Id());
        }
        ASSERT_TRUE(run.WaitForRebuilds(1));
        for (const char* command : commands) ASSERT_TRUE(run.Change(command)) << command;
        EXPECT_EQ(e2e::FindModalBoxes(run.Id()).size(), 0u) << "a box, told again";
    }  // each run ended at once: every change was written when it came
    const std::vector<std::string> expected = {"unplugged disk Bench Hub:1 0>2", "plugged phone Bench Hub:2 0>0",
                                               "health cam Bench Hub:3 0>4", "restarted  : 0>0"};
    EXPECT_EQ(Entries(file), expected);
    EXPECT_EQ(Entries(state + "\\Quorvane\\quorvane-history.damaged-1.txt"), std::vector<std::string>{"damaged"});
    e2e::RemoveFolder(state);
}

// Where the state folder cannot be made, changes go on being taken, and nobody is bothered.
TEST(History, AStateFolderThatCannotBeWrittenStopsNothing) {
    const std::string state = e2e::NewTemporaryFolder();
    std::ofstream(state + "\\Quorvane") << "a file where the folder would be";
    e2e::QuorvaneRun run(e2e::ShippedScenario("test-small.json"), {{"LOCALAPPDATA", state}});
    ASSERT_TRUE(run.WaitForRebuilds(1));
    for (const char* command : {"unplug disk", "plug disk"}) ASSERT_TRUE(run.Change(command)) << command;
    EXPECT_EQ(e2e::FindModalBoxes(run.Id()).size(), 0u) << "a box in the way";
    e2e::RemoveFolder(state);
}

TEST(History, EachEventHasItsWordsForTheEventLogInTheProgram) {
    HMODULE program = LoadLibraryExA((e2e::BinDir() + "\\Quorvane.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr);
    const wchar_t* texts[] = {L"Disk", L"disk-key", L"Dock", L"4", L"Old Hub", L"7"};
    DWORD_PTR insertions[6];
    for (int i = 0; i < 6; ++i) insertions[i] = reinterpret_cast<DWORD_PTR>(texts[i]);
    // Which insertions each event's words show.
    const std::pair<DWORD, std::vector<int>> events[] = {{EVENT_PLUGGED, {0, 1, 2, 3}},   {EVENT_UNPLUGGED, {0, 1, 2, 3}},
                                                         {EVENT_MOVED, {0, 1, 2, 3, 4, 5}}, {EVENT_HEALTH, {0, 1, 4, 5}},
                                                         {EVENT_RENAMED, {0, 1, 4}},       {EVENT_RESTARTED, {}}};
    for (const auto& [id, shown] : events) {
        wchar_t words[512] = L"";
        EXPECT_GT(FormatMessageW(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_ARGUMENT_ARRAY, program, id, 0, words, 512,
                                 reinterpret_cast<va_list*>(insertions)), 10u) << "no words for event " << id;
        for (int i : shown) EXPECT_NE(std::wstring(words).find(texts[i]), std::wstring::npos) << id << " " << i;
    }
    FreeLibrary(program);
}

}  // namespace
