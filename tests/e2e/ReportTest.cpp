// "Quorvane.exe /report FILE" from outside: changes driven through the stand-in library's
// control channel come back in the running program's report, parsed as JSON; without a
// running copy the report comes from a run of its own; a file that cannot be written fails.
#include <gtest/gtest.h>
#include <windows.h>
#include <nlohmann/json.hpp>
#include <fstream>
#include <map>
#include <sstream>
#include "tests/e2e/QuorvaneRun.h"
#include "tests/support/Paths.h"
#include "tests/support/Process.h"
#include "tests/support/TopWindows.h"

namespace {

using e2e::QuorvaneRun;
constexpr DWORD kTimeoutMs = 30000;

// The report run's exit code, and the texts of any box it showed (each closed).
DWORD RunReport(const QuorvaneRun& run, const std::string& file, std::string* boxes = nullptr) {
    e2e::Process report = e2e::Process::Start("\"" + e2e::BinDir() + "\\Quorvane.exe\" /report \"" + file + "\"",
                                              {{"LOCALAPPDATA", run.Folder()}});
    DWORD exitCode = 99;
    EXPECT_TRUE(e2e::WaitUntil(
        [&] {
            for (const e2e::ModalBox& box : e2e::FindModalBoxes(report.Id()))
                if (boxes) *boxes += box.text;
            e2e::CloseModalBoxes(report.Id());
            return report.WaitForExit(0, &exitCode);
        },
        kTimeoutMs));
    return exitCode;
}

std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(Report, ChangesComeBackInTheRunningProgramsReport) {
    QuorvaneRun run(e2e::ShippedScenario("test-small.json"));
    ASSERT_TRUE(run.WaitForRebuilds(1, kTimeoutMs));
    for (const char* command : {"plug phone", "unplug cam", "move disk hub 3", "severity disk 4 Broken",
                                "text keys name Main Keys", "change 2"})
        ASSERT_TRUE(run.Change(command)) << command;

    const std::string file = run.Folder() + "\\Report.JSON";
    ASSERT_EQ(RunReport(run, file), 0u);
    EXPECT_FALSE(run.Program().WaitForExit(0)) << "the running copy ended";
    nlohmann::json report;
    ASSERT_NO_THROW(report = nlohmann::json::parse(FileText(file)));
    EXPECT_EQ(report["computer"]["name"], "Test Bench");
    std::map<std::string, nlohmann::json> devices;
    for (const auto& device : report["devices"]) devices[device["key"]] = device;
    EXPECT_TRUE(devices["phone"]["connected"]);
    EXPECT_FALSE(devices["cam"]["connected"]);
    EXPECT_EQ(devices["disk"]["port"], "3");
    EXPECT_EQ(devices["disk"]["severity"], 4);
    EXPECT_EQ(devices["keys"]["name"], "Main Keys");

    std::vector<std::string> events;
    for (const auto& entry : report["history"])
        events.push_back(entry["event"].get<std::string>() + " " + entry["key"].get<std::string>());
    const std::vector<std::string> expected = {"plugged phone", "unplugged cam", "moved disk",
                                               "health disk",   "renamed keys",  "restarted "};
    EXPECT_EQ(events, expected);
    for (const auto& entry : report["history"]) {
        if (entry["event"] == "moved") EXPECT_EQ(entry["oldPort"], "1");
        if (entry["event"] == "health") EXPECT_EQ(entry["oldSeverity"], 2);
        if (entry["event"] == "renamed") EXPECT_EQ(entry["oldName"], "Keys");
    }
}

// No copy runs: the report run starts the library itself. Its text form shows the tree
// indented, a level deeper under each hub.
TEST(Report, TextReportOfItsOwnRunIndentsTheTree) {
    const std::string folder = e2e::NewTemporaryFolder(), file = folder + "\\report.txt";
    e2e::Process report = e2e::Process::Start("\"" + e2e::BinDir() + "\\Quorvane.exe\" /report \"" + file + "\"",
                                              {{"LOCALAPPDATA", folder}, {"LINSETT_SCENARIO", e2e::ShippedScenario("test-small.json")}});
    ASSERT_EQ(report.ExitCode(kTimeoutMs), 0u);
    std::map<std::string, size_t> indents;
    std::istringstream lines(FileText(file));
    for (std::string line; std::getline(lines, line);) {
        const size_t at = line.find_first_not_of(' ');
        if (at != std::string::npos) indents.emplace(line.substr(at, line.find("  ", at) - at), at);
    }
    EXPECT_EQ(indents["Root A"] + 2, indents["Bench Hub"]);
    EXPECT_EQ(indents["Bench Hub"] + 2, indents["Disk"]);
    EXPECT_EQ(indents["Root A"] + 2, indents["Keys"]);
    e2e::RemoveFolder(folder);
}

TEST(Report, AFileThatCannotBeWrittenEndsWithCode2) {
    QuorvaneRun run(e2e::ShippedScenario("test-small.json"));
    const std::string file = run.Folder() + "\\no such folder\\report.json";
    std::string boxes;
    EXPECT_EQ(RunReport(run, file, &boxes), 2u);
    if (!boxes.empty()) EXPECT_NE(boxes.find("no such folder"), std::string::npos) << boxes;
}

}  // namespace
