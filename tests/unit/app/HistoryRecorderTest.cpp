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

// A state folder of the test's own, with any box the code under test shows closed and kept.
class HistoryFolder : public ::testing::Test {
protected:
    std::string folder = NewFolder();
    std::string file = folder + "\\Quorvane\\quorvane-history.txt";
    UINT_PTR timer = 0;

    void SetUp() override {
        SetEnvironmentVariableA("LOCALAPPDATA", folder.c_str());
        timer = SetTimer(nullptr, 0, 50, &CloseTheBox);
        g_boxTexts.clear();
    }
    void TearDown() override {
        KillTimer(nullptr, timer);
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    static std::string NewFolder() {
        char base[MAX_PATH] = "";
        GetTempPathA(sizeof base, base);
        static int counter = 0;
        std::string name = std::string(base) + "quorvane-history-" + std::to_string(GetCurrentProcessId()) + "-" +
                           std::to_string(++counter);
        std::error_code ignored;
        std::filesystem::remove_all(name, ignored);  // Wine hands out the same process ids again
        CreateDirectoryA(name.c_str(), nullptr);
        return name;
    }
    static void Write(const std::string& path, const std::string& text) {
        std::string reason;
        fileio::MakeParentFolder(path);
        ASSERT_TRUE(fileio::ReplaceFileAtomically(path, text, reason)) << reason;
    }
    static std::string Read(const std::string& path) {
        std::string text, reason;
        fileio::ReadWholeFile(path, text, reason);
        return text;
    }
};

history::Entry Plugged(const char* key) {
    history::Entry entry;
    entry.device.key = key;
    entry.device.connected = true;
    return entry;
}

TEST_F(HistoryFolder, EachChangeIsWrittenWithTheWholeLog) {
    LoadHistory();
    for (const char* key : {"disk", "cam"}) {
        RecordChanges({Plugged(key)});
        history::Log onDisk;
        ASSERT_TRUE(history::ReadHistoryText(Read(file), onDisk)) << key;
        ASSERT_EQ(onDisk.Entries().size(), TheHistory().Entries().size()) << key;
        EXPECT_EQ(onDisk.Entries().back().device.key, key);
    }
    EXPECT_EQ(g_boxTexts, "");
}

TEST_F(HistoryFolder, ADamagedFileIsSetAsideAndToldOnceAndANewOneBegins) {
    Write(file, "Quorvane history 1\r\nnot an entry\r\n");
    LoadHistory();
    const std::string aside = folder + "\\Quorvane\\quorvane-history.damaged-1.txt";
    EXPECT_EQ(Read(aside), "Quorvane history 1\r\nnot an entry\r\n");
    EXPECT_FALSE(fileio::Exists(file));

    TellHistoryProblem(nullptr);
    EXPECT_NE(g_boxTexts.find("quorvane-history.damaged-1.txt"), std::string::npos) << g_boxTexts;
    g_boxTexts.clear();
    TellHistoryProblem(nullptr);
    EXPECT_EQ(g_boxTexts, "") << "told twice";

    RecordChanges({Plugged("phone")});
    history::Log onDisk;
    EXPECT_TRUE(history::ReadHistoryText(Read(file), onDisk));
    EXPECT_EQ(Read(aside), "Quorvane history 1\r\nnot an entry\r\n");
}

TEST_F(HistoryFolder, AFolderThatCannotBeWrittenKeepsTheHistoryInMemory) {
    Write(folder + "\\Quorvane", "a file where the folder would be");
    LoadHistory();
    const size_t before = TheHistory().Entries().size();
    RecordChanges({Plugged("disk")});
    ASSERT_EQ(TheHistory().Entries().size(), before + 1);
    EXPECT_EQ(TheHistory().Entries().back().device.key, "disk");
    TellHistoryProblem(nullptr);
    EXPECT_EQ(g_boxTexts, "");
}

}  // namespace
