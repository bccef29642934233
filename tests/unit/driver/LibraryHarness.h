#pragma once
// The real Linsett.dll loaded into the test process, on a hidden tree window of this thread,
// with a scenario file and a private LOCALAPPDATA per test.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "driver/LinsettApi.h"

namespace linsett_test {

// One callback as it arrived.
struct CallbackEvent {
    int slot;
    uint32_t argument;
    DWORD thread;
    bool duringExport;   // an export of the library was running on this thread
    uint8_t changeCode;  // OnTopologyChanged: the new root block's, read while it is valid
};

std::vector<CallbackEvent>& Events();
int CountEvents(int slot);

// Field reads by offset from a published 32-bit address, as the program reads them.
template <class T>
T Read(uint32_t address, uint32_t offset) {
    T value;
    std::memcpy(&value, reinterpret_cast<const void*>(static_cast<uintptr_t>(address) + offset), sizeof value);
    return value;
}
std::string ReadWideAsUtf8(uint32_t textAddress);       // a wide text pointer's text
std::string ReadWideArray(uint32_t address, uint32_t offset);  // an inline wide field
std::string ReadAnsi(uint32_t textAddress);

std::string ScenarioPath(const char* name);  // a shipped scenario, as a Windows path

// Pumps this thread's messages until condition holds or timeoutMs passes.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000);

// Presses OK on the first message box of this process that appears and keeps its text.
class BoxWatcher {
public:
    BoxWatcher();
    ~BoxWatcher();
    std::string Text();  // waits for the watcher to finish

private:
    std::thread thread_;
    std::string text_;
};

class LibraryTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Sets LINSETT_SCENARIO (a shipped file name or a full path) and starts the library.
    uint32_t Start(const std::string& scenario);
    uint32_t Restart();  // Deinitialize, then Initialize with the same scenario
    void Stop();

    // A control command to this process's library; the reply text.
    std::string Control(const std::string& command);
    // Runs a change through the control channel and waits for OnTopologyChanged.
    uint32_t ChangeTopology(const std::string& command);

    std::string StateFile() const { return appData_ + "\\Quorvane\\linsett-state.json"; }
    std::string StateFolder() const { return appData_ + "\\Quorvane"; }

    // Checks every rule the program relies on in the published tree and ring.
    void ExpectPublishedInvariants();

    // Children of an item of the tree, in order.
    std::vector<HTREEITEM> Children(HTREEITEM item) const;
    uint32_t Param(HTREEITEM item) const;
    std::string Text(HTREEITEM item) const;
    HTREEITEM RootItem() const;

    // Records along one ring link from the entry record.
    std::vector<uint32_t> Ring(uint32_t link) const;
    uint32_t RecordByKey(const std::string& key) const;
    std::vector<std::string> MonitorKeys() const;  // shown records along link A from the start

    InitializeDLLFn initialize_ = nullptr;
    DeinitializeDLLFn deinitialize_ = nullptr;
    MoveNodeUpFn moveUp_ = nullptr;
    MoveNodeDownFn moveDown_ = nullptr;
    ShowRealTimeTransmissionLightFn lights_ = nullptr;
    SaveChangeFn save_ = nullptr;

    HWND tree_ = nullptr;
    uint32_t root_ = 0;
    std::string appData_;

private:
    uint32_t Initialize();
};

}  // namespace linsett_test
