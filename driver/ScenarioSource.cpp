#include "driver/ScenarioSource.h"

#include <windows.h>

#include "driver/FileIo.h"
#include "driver/Module.h"

namespace linsett {

namespace {

constexpr int kDemoScenarioId = 1;

bool LoadDemo(std::string& text) {
    HMODULE module = LibraryModule();
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(kDemoScenarioId), RT_RCDATA);
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    const char* data = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (!data) return false;
    text.assign(data, SizeofResource(module, resource));
    return true;
}

}  // namespace

bool LoadScenario(Scenario& scenario, std::string& error) {
    std::string path, text, reason;
    const bool named = ReadEnvironment("LINSETT_SCENARIO", path);
    const std::string name = named ? path : "the built-in demo scenario";
    if (!(named ? ReadWholeFile(path, text, reason) == ReadResult::Read : LoadDemo(text))) {
        error = "The scenario " + name + " could not be read" + (reason.empty() ? "." : " (" + reason + ").");
        return false;
    }
    Problem problem;
    if (ReadScenario(text, scenario, problem)) return true;
    error = "The scenario is not valid:\n" + DescribeProblem(name, problem);
    return false;
}

namespace {

// The scenario is read once; it changes only by the commands of the control channel.
class ScenarioFile : public Source {
public:
    bool Read(Scenario& scenario, std::string& error) override { return LoadScenario(scenario, error); }
};

}  // namespace

std::unique_ptr<Source> MakeSource() { return std::make_unique<ScenarioFile>(); }

}  // namespace linsett
