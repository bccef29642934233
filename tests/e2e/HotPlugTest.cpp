// Topology changes driven through the stand-in library's control channel reach the
// program's model, and many of them in a row leave the program's resources flat.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/e2e/QuorvaneRun.h"
#include "tests/e2e/driver/LinsettControl.h"
#include "tests/e2e/driver/Paths.h"
#include "tests/e2e/driver/Process.h"
#include "tests/e2e/driver/TopWindows.h"

namespace {

using e2e::QuorvaneRun;
constexpr DWORD kTimeoutMs = 30000;

// First connected device of the model ("System" is the computer).
std::string SomeConnectedDevice(const QuorvaneRun& run) {
    for (const auto& [key, value] : run.Probe())
        if (key != "System" && key != "rebuilds" && key != "items" && value.rfind("1\t", 0) == 0) return key;
    return {};
}

bool IsConnected(const QuorvaneRun& run, const std::string& key) {
    auto model = run.Probe();
    auto found = model.find(key);
    return found != model.end() && found->second.rfind("1\t", 0) == 0;
}

bool IsDisconnected(const QuorvaneRun& run, const std::string& key) {
    auto model = run.Probe();
    auto found = model.find(key);
    return found != model.end() && found->second.rfind("0\t", 0) == 0;
}

TEST(HotPlug, UnplugAndPlugFromTheCommandLineReachTheModel) {
    QuorvaneRun run;
    ASSERT_TRUE(run.WaitForRebuilds(1, kTimeoutMs));
    std::string key = SomeConnectedDevice(run);
    ASSERT_FALSE(key.empty()) << "the demo has no connected device";

    auto control = [&](const std::string& arguments) {
        e2e::Process ctl = e2e::Process::Start("\"" + e2e::BinDir() + "\\linsettctl.exe\" --pid " +
                                               std::to_string(run.Id()) + " " + arguments);
        DWORD exitCode = 99;
        EXPECT_TRUE(ctl.WaitForExit(kTimeoutMs, &exitCode)) << arguments;
        return exitCode;
    };

    EXPECT_EQ(control("unplug " + key), 0u);
    EXPECT_TRUE(e2e::WaitUntil([&] { return IsDisconnected(run, key); }, kTimeoutMs)) << key << " still connected";
    EXPECT_EQ(control("plug " + key), 0u);
    EXPECT_TRUE(e2e::WaitUntil([&] { return IsConnected(run, key); }, kTimeoutMs)) << key << " not back";
    EXPECT_NE(control("unplug no-such-device"), 0u) << "a bad command was accepted";
    EXPECT_FALSE(run.Program().WaitForExit(0)) << "the program ended";
}

struct Footprint {
    long long memory = 0, handles = 0, gdiObjects = 0, userObjects = 0;
};

// As the program measured itself at its last model rebuild.
Footprint Measure(const QuorvaneRun& run) {
    auto model = run.Probe();
    auto number = [&](const char* name) { return std::atoll(model[name].c_str()); };
    return {number("memory"), number("handles"), number("gdi"), number("user")};
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
    Footprint before = Measure(run);
    size_t windowsBefore = e2e::WindowsOfProcess(run.Id()).size();
    ASSERT_GT(before.memory, 0) << "the program's memory cannot be measured";
    ASSERT_TRUE(changes(1000));
    Footprint after = Measure(run);
    std::printf("memory %lld -> %lld, handles %lld -> %lld, GDI %lld -> %lld, USER %lld -> %lld\n", before.memory,
                after.memory, before.handles, after.handles, before.gdiObjects, after.gdiObjects,
                before.userObjects, after.userObjects);

    EXPECT_LT(after.memory, before.memory + 1024 * 1024);
    EXPECT_LE(after.handles, before.handles + 5) << before.handles << " -> " << after.handles;
    EXPECT_LE(after.gdiObjects, before.gdiObjects + 5);
    // Wine counts no handles or GUI objects per process; the windows it can count.
    EXPECT_EQ(e2e::WindowsOfProcess(run.Id()).size(), windowsBefore);
    EXPECT_LE(after.userObjects, before.userObjects + 5);
    EXPECT_FALSE(run.Program().WaitForExit(0));
}

}  // namespace
