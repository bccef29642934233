// The history file in the state folder: written at each change, a damaged one set aside and told
// once, and a folder that cannot be written keeping the program going.
#include <gtest/gtest.h>
#include <windows.h>
#include <filesystem>
#include <string>
#include "app/HistoryRecorder.h"
#include "base/FileIo.h"
#include "model/HistoryFile.h"
#include "tests/support/TopWindows.h"

namespace {

std::string g_boxTexts;
void CALLBACK CloseTheBox(HWND, UINT, UINT_PTR, DWORD) {
    for (const e2e::ModalBox& box : e2e::FindModalBoxes(GetCurrentProcessId())) g_boxTexts += box.text + "\n";
    e2e::CloseModalBoxes(GetCurrentProcessId());
}

std::string Read(const std::string& path) {
    std::string text, reason;
    fileio::ReadWholeFile(path, text, reason);
    return text;
}

// A state folder of the test's own (what an earlier run with the same process id left goes
// first), with every box the code shows closed and its text kept.
class HistoryFolder : public ::testing::Test {
protected:
    const std::string folder = [] {
        char temp[MAX_PATH] = "";
        GetTempPathA(sizeof temp, temp);
        return std::string(temp) + "quorvane-history-" + std::to_string(GetCurrentProcessId());
    }();
    const std::string file = folder + "\\Quorvane\\quorvane-history.txt";
    UINT_PTR timer = SetTimer(nullptr, 0, 50, &CloseTheBox);
    std::error_code ignored;

    void SetUp() override {
        std::filesystem::remove_all(folder, ignored);
        CreateDirectoryA(folder.c_str(), nullptr);
        SetEnvironmentVariableA("LOCALAPPDATA", folder.c_str());
        g_boxTexts.clear();
    }
    void TearDown() override {
        KillTimer(nullptr, timer);
        std::filesystem::remove_all(folder, ignored);
    }
};

TEST_F(HistoryFolder, EachChangeIsWrittenWithTheWholeLog) {
    LoadHistory();
    for (const char* key : {"disk", "cam"}) {
        RecordChanges({{{}, history::Event::Plugged, {key}}});
        history::Log onDisk;
        ASSERT_TRUE(history::ReadHistoryText(Read(file), onDisk)) << key;
        ASSERT_EQ(onDisk.Entries().size(), TheHistory().Entries().size()) << key;
        EXPECT_EQ(onDisk.Entries().back().device.key, key);
    }
}

TEST_F(HistoryFolder, ADamagedFileIsSetAsideAndToldOnceAndANewOneBegins) {
    const std::string damaged = "Quorvane history 1\r\nnot an entry\r\n";
    const std::string aside = folder + "\\Quorvane\\quorvane-history.damaged-1.txt";
    fileio::MakeParentFolder(file);
    std::string reason;
    ASSERT_TRUE(fileio::ReplaceFileAtomically(file, damaged, reason)) << reason;
    LoadHistory();
    TellHistoryProblem(nullptr);
    EXPECT_NE(g_boxTexts.find("quorvane-history.damaged-1.txt"), std::string::npos) << g_boxTexts;
    g_boxTexts.clear();
    TellHistoryProblem(nullptr);
    EXPECT_EQ(g_boxTexts, "") << "told twice";

    RecordChanges({{{}, history::Event::Unplugged, {"phone"}}});
    history::Log onDisk;
    EXPECT_TRUE(history::ReadHistoryText(Read(file), onDisk));
    EXPECT_EQ(Read(aside), damaged);
}

TEST_F(HistoryFolder, AFolderThatCannotBeWrittenKeepsTheHistoryInMemoryAndSaysNothing) {
    std::string reason;
    ASSERT_TRUE(fileio::ReplaceFileAtomically(folder + "\\Quorvane", "a file where the folder would be", reason));
    LoadHistory();
    RecordChanges({{{}, history::Event::Health, {"disk"}}});
    EXPECT_EQ(TheHistory().Entries().back().device.key, "disk");
    TellHistoryProblem(nullptr);
    EXPECT_EQ(g_boxTexts, "");
}

}  // namespace
