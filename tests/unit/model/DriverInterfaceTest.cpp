// The driver interface against a fake library: calls, callbacks, and the restart after a resume.
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>
#include "app/Lifecycle.h"
#include "base/Settings.h"
#include "framework/WindowsAlive.h"
#include "model/DeviceTree.h"
#include "model/DriverInterface.h"
#include "tests/support/Registry.h"
#include "tests/support/TopWindows.h"
#include "tests/unit/model/SyntheticTopology.h"

namespace {

std::vector<std::string> calls;
HWND treeWindow;
LinsettCallback callbacks[3];
uintptr_t block, systemAtStop;  // block 0: no hardware
int Note(const std::string& call) { return calls.push_back(call), 1; }
int boxes = 0;
void CALLBACK CloseBoxes(HWND, UINT, UINT_PTR, DWORD) { boxes += e2e::CloseModalBoxes(GetCurrentProcessId()); }

TEST(DriverInterface, StartsStopsMovesForwardsTheCallbacksAndRestartsAfterResume) {
    DriverInterface& driver = DriverInterface::Instance();  // the callbacks speak to this one
    driver.UseEntryPoints(
        {[](HWND tree, const void* table) -> void* {
             treeWindow = tree;
             std::memcpy(callbacks, table, sizeof callbacks);
             return reinterpret_cast<void*>(block);
         },
         [] { return Note("stop " + std::to_string(systemAtStop ? *(uint8_t*)(systemAtStop + 2) : 9)); },
         [](void* r, int n) { return Note("up " + std::to_string(uintptr_t(r)) + " " + std::to_string(n)); },
         [](void* r, int n) { return Note("down " + std::to_string(uintptr_t(r)) + " " + std::to_string(n)); },
         [](int on, int k) { return Note("light " + std::to_string(on) + " " + std::to_string(k)); },
         [] { return Note("save"); }});
    EXPECT_FALSE(driver.Start(GetModuleHandleA(nullptr)));
    EXPECT_EQ(driver.LastFailure(), DriverInterface::Failure::NoHardware);
    EXPECT_FALSE(IsWindow(treeWindow)) << "the tree window outlived a failed start";
    driver.Stop();
    SyntheticTopology topo;
    block = topo.RootBlock();
    ASSERT_TRUE(driver.Start(GetModuleHandleA(nullptr)));
    const HWND firstTree = treeWindow;
    ASSERT_TRUE(driver.Start(GetModuleHandleA(nullptr)));  // while running: stopped first
    EXPECT_FALSE(IsWindow(firstTree)) << "a second start leaked the first tree window";
    EXPECT_EQ(driver.RootBlock(), block);
    ASSERT_EQ(treeWindow, driver.TreeWindow());

    struct Listener : TopologyListener {
        std::vector<std::string> seen;
        void TopologyChanging() override { seen.push_back("changing"); }
        void TopologyChanged(bytes::Address at) override { seen.push_back("changed " + std::to_string(at)); }
    } listener;
    driver.SetListener(&listener);
    EXPECT_EQ(callbacks[2](0) + callbacks[1](1) + callbacks[0](0xFEDCBA98u), 3u);
    EXPECT_EQ(listener.seen, (std::vector<std::string>{"changing", "changed " + std::to_string(0xFEDCBA98ull)}));
    driver.SetListener(nullptr);
    for (int delta : {0, 1, -2}) driver.MoveBy(4096, delta);
    driver.SetTransmissionLight(false);
    driver.SaveChange();
    EXPECT_EQ(calls, (std::vector<std::string>{"stop 9", "stop 9", "up 4096 0", "down 4096 1", "up 4096 2", "light 0 1", "save"}))
        << "no hardware: a failed start; a start while running; zero moves up";

    // A resume whose restart finds no hardware: the light switch is stored before the stop,
    // neither the model nor the windows go on using the stopped library, and the user is told.
    systemAtStop = topo.NewRecord(0x80, "Computer");
    topo.SetU8(systemAtStop, 2, 1);
    topo.LinkRingA({systemAtStop});
    topo.SetRoot(systemAtStop, systemAtStop, nullptr);
    TheDeviceTree().Attach(treeWindow, block);
    ASSERT_TRUE(e2e::registry::CreateKey(HKEY_LOCAL_MACHINE, Settings::kKeyPath));
    e2e::registry::SetDword(HKEY_LOCAL_MACHINE, Settings::kKeyPath, "ShowTransmissionLight", 0);
    block = 0;
    calls.clear();
    const HWND stoppedTree = treeWindow;
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, &CloseBoxes);
    ResumeSequence();
    EXPECT_FALSE(IsWindow(stoppedTree)) << "the tree window outlived the library";
    EXPECT_EQ(TheDeviceTree().SystemRecord(), nullptr);
    EXPECT_FALSE(AreWindowsAlive());
    // Tried again while the hardware stays away: no second stop, and no second box.
    ResumeSequence();
    RetryRestart();
    EXPECT_EQ(calls, (std::vector<std::string>{"stop 0"}));
    EXPECT_EQ(boxes, 1);
    EXPECT_TRUE(IsLibraryDown());
    // Back: the windows are alive again.
    block = topo.RootBlock();
    RetryRestart();
    KillTimer(nullptr, timer);
    EXPECT_FALSE(IsLibraryDown());
    EXPECT_TRUE(AreWindowsAlive());
    SetWindowsAlive(true);
    driver.Stop();
    e2e::registry::DeleteTree(HKEY_LOCAL_MACHINE, "Software\\Tarvex");
    driver.UseEntryPoints({});
}

}  // namespace
