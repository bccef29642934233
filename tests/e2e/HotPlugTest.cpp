// Topology changes driven from the command line through the stand-in library's control
// channel reach the program, and many of them in a row leave its footprint flat.
#include <gtest/gtest.h>
#include <windows.h>
#include <psapi.h>
#include <string>
#include "tests/e2e/QuorvaneRun.h"
#include "tests/support/LinsettControl.h"
#include "tests/support/Paths.h"
#include "tests/support/Process.h"
#include "tests/support/TopWindows.h"

namespace {

using e2e::QuorvaneRun;
constexpr DWORD kTimeoutMs = 30000;

TEST(HotPlug, UnplugAndPlugFromTheCommandLineReachTheProgram) {
    QuorvaneRun run(e2e::ShippedScenario("test-small.json"));
    ASSERT_TRUE(run.WaitForRebuilds(1, kTimeoutMs));

    auto control = [&](const std::string& arguments) {
        return e2e::Process::Start("\"" + e2e::BinDir() + "\\linsettctl.exe\" --pid " + std::to_string(run.Id()) + " " +
                                   arguments).ExitCode(kTimeoutMs);
    };

    for (const char* command : {"unplug disk", "plug disk"}) {
        const int before = run.Rebuilds();
        EXPECT_EQ(control(command), 0u) << command;
        EXPECT_TRUE(run.WaitForRebuilds(before + 1, kTimeoutMs)) << command << " never reached the program";
    }
    EXPECT_NE(control("unplug no-such-device"), 0u) << "a bad command was accepted";
    EXPECT_FALSE(run.Program().WaitForExit(0)) << "the program ended";
}

struct Footprint {
    long long memory = 0, handles = 0, gdiObjects = 0, userObjects = 0;
};

// Measured from outside, as a task manager would.
Footprint Measure(HANDLE process) {
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(process, &memory, sizeof memory);
    DWORD handles = 0;
    GetProcessHandleCount(process, &handles);
    return {static_cast<long long>(memory.PagefileUsage), handles, GetGuiResources(process, GR_GDIOBJECTS),
            GetGuiResources(process, GR_USEROBJECTS)};
}

TEST(HotPlug, AThousandTopologyChangesLeaveResourcesFlat) {
    QuorvaneRun run;
    ASSERT_TRUE(run.WaitForRebuilds(1, kTimeoutMs));
    auto changes = [&](int count) {
        int start = run.Rebuilds();
        for (int i = 0; i < count; ++i)
            if (e2e::SendLinsettCommand(run.Id(), "change 0").rfind("ok", 0) != 0) return false;
        return run.WaitForRebuilds(start + count, kTimeoutMs);
    };
    // Warm up first: caches and the allocator settle during the first changes.
    ASSERT_TRUE(changes(100));
    HANDLE process = run.Program().Handle();
    Footprint before = Measure(process);
    size_t windowsBefore = e2e::WindowsOfProcess(run.Id()).size();
    ASSERT_GT(before.memory, 0) << "the program's memory cannot be measured";
    ASSERT_TRUE(changes(1000));
    Footprint after = Measure(process);  // each check below prints both counts when it fails

    EXPECT_LT(after.memory, before.memory + 1024 * 1024);
    EXPECT_LE(after.handles, before.handles + 5);
    EXPECT_LE(after.gdiObjects, before.gdiObjects + 5);
    EXPECT_LE(after.userObjects, before.userObjects + 5);
    // Wine counts no GUI objects per process; the windows it can count.
    EXPECT_EQ(e2e::WindowsOfProcess(run.Id()).size(), windowsBefore);
    EXPECT_FALSE(run.Program().WaitForExit(0));
}

}  // namespace
