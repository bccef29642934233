#pragma once
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>
#include <gtest/gtest.h>
#include "tests/support/Process.h"

namespace e2e {

// One run of Quorvane.exe for a test: its own state folder and the scenario the stand-in
// library plays (empty: the built-in demo). program: another copy of it (an installed one).
class QuorvaneRun {
public:
    explicit QuorvaneRun(const std::string& scenarioFile = "",
                         std::vector<std::pair<std::string, std::string>> extraEnvironment = {},
                         const std::string& program = "");
    ~QuorvaneRun();

    Process& Program() { return process_; }
    DWORD Id() const { return process_.Id(); }

    // Generations of the structures the program took from the library: one per start, one per
    // change whose callback returned. Answered from the program's message loop, so a count means
    // the program runs with its model built; 0 while the library is not running.
    int Rebuilds() const;
    bool WaitForRebuilds(int count, DWORD timeoutMs = 20000) const;
    // A control command taken, and the model rebuilt after it.
    bool Change(const std::string& command) const;

    const std::string& Folder() const { return folder_; }

private:
    std::string folder_;
    Process process_;
};

// The settings as a fresh installation leaves them (the machine's key empty, the user's gone) for
// the object's life; Set and Get are the user's values, where the program keeps its changes.
class InstalledSettings {
public:
    InstalledSettings();
    ~InstalledSettings();
    InstalledSettings(const InstalledSettings&) = delete;
    InstalledSettings& operator=(const InstalledSettings&) = delete;

    void Set(const std::string& name, uint32_t value) const;
    std::optional<uint32_t> Get(const std::string& name) const;
    // The monitoring window at (left, top), tall enough for `rows` tiles.
    void PlaceMonitor(int left, int top, int rows) const;
};

// The display scale (LogPixels) that every program started while it lives takes; the
// prefix's own afterwards.
class DisplayScale {
public:
    explicit DisplayScale(uint32_t dpi);
    ~DisplayScale();
    DisplayScale(const DisplayScale&) = delete;
    DisplayScale& operator=(const DisplayScale&) = delete;

private:
    std::optional<uint32_t> saved_;
};

// The monitoring window of the run once the program has built its model, or null.
HWND WaitForMonitor(const QuorvaneRun& run, DWORD timeoutMs = 30000);

// Clicks the monitor's tile of the row (0: the computer); the system view it opens, the pointer moved off.
HWND OpenSystemView(const QuorvaneRun& run, HWND monitor, int row, DWORD timeoutMs = 30000);

// The system view's split position: the bar's two dark rows, found down the middle of the frame.
int SystemViewSplit(HWND frame);

// The program's hidden window, which hears the system's broadcasts and holds the tray icon.
HWND ApplicationWindow(const QuorvaneRun& run);

// Opens the program's tray menu as the shell does for a right click on its icon, the menu
// showing at the pointer, and presses the keys in it; false when no menu came up.
bool ChooseFromTrayMenu(const QuorvaneRun& run, std::initializer_list<WORD> keys, DWORD timeoutMs = 30000);

// A text of the program's string table, read from the built program.
std::string ProgramString(UINT id);

// A new, empty folder of this test process's own under the temporary folder.
std::string NewTemporaryFolder();
// Deletes a folder with everything in it; a missing folder is no error.
void RemoveFolder(const std::string& folder);

// A scenario shipped with the stand-in library, as a Windows path.
std::string ShippedScenario(const std::string& fileName);

// The program playing the small scenario, its monitor at (820, 150) four rows high, clear of
// the system view.
class SmallRunTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(monitor = WaitForMonitor(run), nullptr); }
    // Row 0 the computer, row 1 the keyboard, row 2 the disk.
    HWND OpenFromTile(int row) { return OpenSystemView(run, monitor, row); }
    // The tiles' lights change on the screen within quietMs: the program's timer draws what the library moves.
    bool LightsMove(DWORD quietMs = 30000) const;
    const InstalledSettings settings;
    const bool placed = (settings.PlaceMonitor(820, 150, 4), true);
    QuorvaneRun run{ShippedScenario("test-small.json")};
    HWND monitor = nullptr;
};

}  // namespace e2e
