#pragma once
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "tests/e2e/driver/Process.h"

namespace e2e {

// One run of Quorvane.exe for a test: its own state folder, its own model probe file,
// and the scenario the stand-in library plays (empty: the built-in demo).
class QuorvaneRun {
public:
    explicit QuorvaneRun(const std::string& scenarioFile = "",
                         std::vector<std::pair<std::string, std::string>> extraEnvironment = {});
    ~QuorvaneRun();

    Process& Program() { return process_; }
    DWORD Id() const { return process_.Id(); }

    // The model as the program last described it: key -> "connected<TAB>severity<TAB>name",
    // plus "rebuilds" and "items" counters. Empty until the program has built its model.
    std::map<std::string, std::string> Probe() const;
    int Rebuilds() const;
    // Waits until the program has built its model at least `count` times.
    bool WaitForRebuilds(int count, DWORD timeoutMs = 20000) const;

    const std::string& Folder() const { return folder_; }

private:
    std::string folder_;
    std::string probe_;
    Process process_;
};

// Deletes a folder with everything in it; a missing folder is no error.
void RemoveFolder(const std::string& folder);

// A scenario shipped with the stand-in library, as a Windows path.
std::string ShippedScenario(const std::string& fileName);

}  // namespace e2e
