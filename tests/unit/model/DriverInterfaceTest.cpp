// The driver interface against a fake library: what it passes, in which order, and how
// the library's callbacks reach the program.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Lifecycle.h"
#include "base/Settings.h"
#include "framework/WindowsAlive.h"
#include "model/DeviceTree.h"
#include "model/DriverInterface.h"
#include "tests/e2e/driver/Registry.h"
#include "tests/unit/model/SyntheticTopology.h"

namespace {

namespace reg = e2e::registry;

struct FakeLibrary {
    std::vector<std::string> calls;
    HWND treeWindow = nullptr;
    LinsettCallback callbacks[3] = {};
    std::vector<uintptr_t> blocks;  // handed out by successive InitializeDLL calls; 0 = no hardware
    size_t started = 0;
    int lightByteAtStop = -1;
    uintptr_t systemRecordAtStop = 0;
} fake;

void* __cdecl FakeInitialize(HWND tree, const void* table) {
    fake.calls.push_back("initialize");
    fake.treeWindow = tree;
    auto* slots = static_cast<const LinsettCallback*>(table);
    for (int i = 0; i < 3; ++i) fake.callbacks[i] = slots[i];
    uintptr_t block = fake.started < fake.blocks.size() ? fake.blocks[fake.started] : 0;
    ++fake.started;
    return reinterpret_cast<void*>(block);
}
int __cdecl FakeDeinitialize() {
    fake.calls.push_back("deinitialize");
    if (fake.systemRecordAtStop) fake.lightByteAtStop = *reinterpret_cast<uint8_t*>(fake.systemRecordAtStop + 2);
    return 1;
}
int __cdecl FakeMoveUp(void* record, int places) {
    fake.calls.push_back("up " + std::to_string(reinterpret_cast<uintptr_t>(record)) + " " + std::to_string(places));
    return 1;
}
int __cdecl FakeMoveDown(void* record, int places) {
    fake.calls.push_back("down " + std::to_string(reinterpret_cast<uintptr_t>(record)) + " " + std::to_string(places));
    return 1;
}
int __cdecl FakeShowLight(int on, int constant) {
    fake.calls.push_back("light " + std::to_string(on) + " " + std::to_string(constant));
    return 1;
}
int __cdecl FakeSave() {
    fake.calls.push_back("save");
    return 1;
}

class DriverWithFakeLibrary : public ::testing::Test {
protected:
    DriverInterface driver;
    void SetUp() override {
        fake = FakeLibrary{};
        driver.UseEntryPoints({FakeInitialize, FakeDeinitialize, FakeMoveUp, FakeMoveDown, FakeShowLight, FakeSave});
    }
};

TEST_F(DriverWithFakeLibrary, StartHandsOverAHiddenTreeAndTheCallbacks) {
    SyntheticTopology topo;
    fake.blocks = {topo.RootBlock()};
    ASSERT_TRUE(driver.Start(GetModuleHandleA(nullptr)));
    EXPECT_EQ(driver.RootBlock(), topo.RootBlock());
    HWND tree = driver.TreeWindow();
    ASSERT_EQ(fake.treeWindow, tree);
    char className[64] = "";
    GetClassNameA(tree, className, sizeof className);
    EXPECT_STREQ(className, "SysTreeView32");
    EXPECT_FALSE(IsWindowVisible(tree));
    EXPECT_EQ(GetParent(tree), nullptr);

    driver.Stop();
    EXPECT_EQ(fake.calls, (std::vector<std::string>{"initialize", "deinitialize"}));
    EXPECT_FALSE(IsWindow(tree)) << "the tree window outlived the library";
    EXPECT_EQ(driver.TreeWindow(), nullptr);
}

TEST_F(DriverWithFakeLibrary, NoHardwareIsAFailedStart) {
    fake.blocks = {0};
    EXPECT_FALSE(driver.Start(GetModuleHandleA(nullptr)));
    EXPECT_EQ(fake.calls, (std::vector<std::string>{"initialize"}));
    driver.Stop();
}

TEST_F(DriverWithFakeLibrary, CallbacksReachTheHandlersOnTheirSlots) {
    // The callbacks are static: they speak to the process-wide instance.
    DriverInterface& global = DriverInterface::Instance();
    std::vector<std::string> seen;
    global.SetHandlers({[&](bytes::Address block) { seen.push_back("changed " + std::to_string(block)); },
                        [&] { seen.push_back("changing"); }});
    SyntheticTopology topo;
    fake.blocks = {topo.RootBlock()};
    ASSERT_TRUE(driver.Start(GetModuleHandleA(nullptr)));

    EXPECT_EQ(fake.callbacks[2](0), 1u);
    EXPECT_EQ(fake.callbacks[1](12345), 1u);
    EXPECT_EQ(fake.callbacks[0](0xFEDCBA98u), 1u);
    EXPECT_EQ(seen, (std::vector<std::string>{"changing", "changed " + std::to_string(0xFEDCBA98ull)}))
        << "the new root block's address must arrive zero-extended";
    global.SetHandlers({});
    driver.Stop();
}

TEST_F(DriverWithFakeLibrary, MovesPassTheSignedDeltaAsPlaces) {
    struct Case {
        int delta;
        std::string call;
    } cases[] = {{0, "up 4096 0"}, {1, "down 4096 1"}, {-2, "up 4096 2"}, {5, "down 4096 5"}};
    for (const Case& c : cases) {
        fake.calls.clear();
        driver.MoveBy(4096, c.delta);
        EXPECT_EQ(fake.calls, (std::vector<std::string>{c.call})) << c.delta;
    }
    fake.calls.clear();
    driver.SetTransmissionLight(true);
    driver.SetTransmissionLight(false);
    driver.SaveChange();
    EXPECT_EQ(fake.calls, (std::vector<std::string>{"light 1 1", "light 0 1", "save"}));
}

// The restart after resume, on the process-wide instances it works with.
class Resume : public ::testing::Test {
protected:
    SyntheticTopology before, after;
    uintptr_t oldSystem = 0, newSystem = 0;

    static uintptr_t OneSystemRing(SyntheticTopology& topo) {
        uintptr_t computer = topo.NewNode(0x80), system = topo.NewRecord(0x80, "Computer");
        topo.Connect(system, computer);
        topo.LinkRingA({system});
        topo.LinkRingB({system});
        topo.SetRoot(system, system, nullptr);
        return system;
    }

    void SetUp() override {
        fake = FakeLibrary{};
        oldSystem = OneSystemRing(before);
        newSystem = OneSystemRing(after);
        before.SetU8(oldSystem, 0x02, 1);
        fake.systemRecordAtStop = oldSystem;
        reg::DeleteTree(HKEY_LOCAL_MACHINE, "Software\\Tarvex");
        ASSERT_TRUE(reg::CreateKey(HKEY_LOCAL_MACHINE, Settings::kKeyPath));
        DriverInterface::Instance().UseEntryPoints(
            {FakeInitialize, FakeDeinitialize, FakeMoveUp, FakeMoveDown, FakeShowLight, FakeSave});
        fake.blocks = {before.RootBlock(), after.RootBlock()};
        ASSERT_TRUE(DriverInterface::Instance().Start(GetModuleHandleA(nullptr)));
        TheDeviceTree().Attach(DriverInterface::Instance().TreeWindow(), before.RootBlock());
        fake.calls.clear();
    }
    void TearDown() override {
        DriverInterface::Instance().Stop();
        DriverInterface::Instance().UseEntryPoints({});
        TheDeviceTree().Clear();
        SetWindowsAlive(true);
        reg::DeleteTree(HKEY_LOCAL_MACHINE, "Software\\Tarvex");
    }
};

TEST_F(Resume, RestartsTheLibraryAndCarriesTheLightSwitchOver) {
    reg::SetDword(HKEY_LOCAL_MACHINE, Settings::kKeyPath, "ShowTransmissionLight", 0);
    ResumeSequence();
    EXPECT_EQ(fake.calls, (std::vector<std::string>{"deinitialize", "initialize"}));
    EXPECT_EQ(fake.lightByteAtStop, 0) << "the switch is stored before the library stops";
    EXPECT_EQ(DriverInterface::Instance().RootBlock(), after.RootBlock());
    EXPECT_EQ(TheDeviceTree().SystemRecord()->Record(), newSystem);
    EXPECT_EQ(*reinterpret_cast<uint8_t*>(newSystem + 2), 0);
    EXPECT_TRUE(AreWindowsAlive());
}

TEST_F(Resume, SwitchOnByDefaultInTheNewSystemRecord) {
    ResumeSequence();
    EXPECT_EQ(*reinterpret_cast<uint8_t*>(newSystem + 2), 1);
}

TEST_F(Resume, FailedRestartLeavesTheWindowsSilent) {
    fake.blocks = {before.RootBlock(), 0};
    ResumeSequence();
    EXPECT_FALSE(AreWindowsAlive());
    EXPECT_EQ(TheDeviceTree().SystemRecord(), nullptr) << "the model still points into the stopped library";
}

}  // namespace
