// What the program hands to the shell from values anyone may write: web addresses, its own files.
#include <gtest/gtest.h>
#include <string>
#include "app/LaunchPaths.h"

namespace {

using namespace launch_paths;

TEST(LaunchPaths, OnlyHttpAndHttpsAddressesWithNothingAfterThemThatACommandLineWouldRead) {
    const struct { const wchar_t* address; bool web; } cases[] = {
        {L"http://www.tarvex.com/", true},
        {L"HTTPS://example.org/update?v=1&x=%20", true},
        {L"http://", false},                                  // nothing to open
        {L"C:\\Users\\Public\\evil.exe", false},
        {L"\\\\server\\share\\evil.exe", false},
        {L"file:///C:/Windows/System32/calc.exe", false},
        {L"httpx://example.org/", false},
        {L"ms-settings:", false},
        {L"http://example.org/ C:\\evil.exe", false},         // a second argument
        {L"http://example.org/\" -x \"y", false},             // breaking out of the browser's quotes
        {L"http://example.org/\t", false},
        {L"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsWebAddress(c.address), c.web) << c.address;
}

TEST(LaunchPaths, AHelpFileNameCanOnlyMeanAFileOfTheFolderItJoins) {
    const struct { const wchar_t* name; bool plain; } names[] = {
        {L"QuorvaneHelp.chm", true}, {L"Hilfe für Quorvane.chm", true}, {L"..", false}, {L".", false},
        {L"", false}, {L"..\\evil.chm", false}, {L"sub/evil.chm", false}, {L"C:evil.chm", false},
        {L"help.chm:stream", false},
    };
    for (const auto& c : names) EXPECT_EQ(IsPlainFileName(c.name), c.plain) << c.name;
    const struct { const wchar_t* path; const wchar_t* folder; const wchar_t* name; } splits[] = {
        {L"C:\\Apps\\Help.chm", L"C:\\Apps", L"Help.chm"}, {L"Help.chm", L"", L"Help.chm"},
        {L"C:/Apps/Help.chm", L"C:/Apps", L"Help.chm"}, {L"C:\\Apps\\", L"C:\\Apps", L""},
    };
    for (const auto& c : splits) {
        EXPECT_EQ(FolderOf(c.path), c.folder) << c.path;
        EXPECT_EQ(NameOf(c.path), c.name) << c.path;
    }
}

TEST(LaunchPaths, AFolderMustBeReadAndLeaveRoomAndAFileJoinsItsFolderWithOneSeparator) {
    const std::wstring link = L"\\Quorvane.lnk", fits(255 - link.size(), L'x'), tooLong(250, L'x');
    const struct { std::wstring folder; bool read; std::wstring shortcut; } folders[] = {
        {fits, true, fits + link}, {fits + L"x", true, L""}, {fits, false, L""}, {L"", true, L""}};
    for (const auto& c : folders) EXPECT_EQ(StartupShortcut(c.folder, c.read), c.shortcut) << c.folder.size();
    const std::wstring joins[][2] = {{L"C:\\Apps", L"C:\\Apps\\Linsett.exe"},
                                     {L"C:\\Apps\\", L"C:\\Apps\\Linsett.exe"},
                                     {L"C:\\Программы", L"C:\\Программы\\Linsett.exe"},
                                     {tooLong, L""}};
    for (const auto& [folder, file] : joins) EXPECT_EQ(InFolder(folder, L"Linsett.exe"), file) << folder.size();
}

}  // namespace
