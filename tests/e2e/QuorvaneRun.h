#pragma once
#include <string>
#include <utility>
#include <vector>

#include "tests/e2e/driver/Process.h"

namespace e2e {

// One run of Quorvane.exe for a test: its own state folder and the scenario the stand-in
// library plays (empty: the built-in demo).
class QuorvaneRun {
public:
    explicit QuorvaneRun(const std::string& scenarioFile = "",
                         std::vector<std::pair<std::string, std::string>> extraEnvironment = {});
    ~QuorvaneRun();

    Process& Program() { return process_; }
    DWORD Id() const { return process_.Id(); }

    // How many generations of the structures the program has taken from the library, as
    // the library counts them: one per start, one per change whose callback returned.
    // The library answers from the program's message loop, so a count means the program
    // is running with its model built. 0 while the library is not running.
    int Rebuilds() const;
    bool WaitForRebuilds(int count, DWORD timeoutMs = 20000) const;

    const std::string& Folder() const { return folder_; }

private:
    std::string folder_;
    Process process_;
};

// Deletes a folder with everything in it; a missing folder is no error.
void RemoveFolder(const std::string& folder);

// A scenario shipped with the stand-in library, as a Windows path.
std::string ShippedScenario(const std::string& fileName);

}  // namespace e2e
