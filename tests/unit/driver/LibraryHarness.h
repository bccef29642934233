#pragma once
// The real Linsett.dll in the test process, on a hidden tree window of this thread, with a private
// LOCALAPPDATA per test; published fields are read by offset from 32-bit addresses, as the program does.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "driver/LinsettApi.h"

namespace linsett_test {

struct CallbackEvent {
    int slot;
    uint32_t argument;
    bool duringExport;   // an export of the library was running
    uint8_t changeCode;  // OnTopologyChanged: the new root block's, read while it is valid
};
extern std::vector<CallbackEvent> g_events;

template <class F>
F Export(const char* name) {
    static HMODULE library = LoadLibraryA("Linsett.dll");
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}
template <class T>
T Read(uint32_t address, uint32_t offset) {
    T value;
    std::memcpy(&value, reinterpret_cast<const void*>(static_cast<uintptr_t>(address) + offset), sizeof value);
    return value;
}
std::string WideText(uint32_t address);  // as UTF-8
std::string AnsiText(uint32_t address);
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000);

class LibraryTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    uint32_t Start(const std::string& scenario);  // a shipped file, a full path, or "" for the demo
    uint32_t Restart();
    void Stop();
    std::string StartAndAnswerBox(const std::string& scenario);  // the box's "title|text"
    std::string Control(const std::string& command);              // the reply
    uint32_t ChangeTopology(const std::string& command);          // waits for OnTopologyChanged
    void ExpectPublishedInvariants();

    std::vector<HTREEITEM> Children(HTREEITEM item) const;  // TVI_ROOT for the root items
    std::pair<uint32_t, std::string> Item(HTREEITEM item) const;  // its node and its text
    std::vector<uint32_t> Ring(uint32_t link, uint32_t start = 0) const;  // records along a link, from the entry
    uint32_t Record(const std::string& key) const;
    uint32_t Node(const std::string& key) const { return Read<uint32_t>(Record(key), 0x004); }
    std::vector<std::string> MonitorKeys() const;  // shown records along link A from the start
    std::string StateFile() const { return appData_ + "\\Quorvane\\linsett-state.json"; }

    HWND tree_ = nullptr;
    uint32_t root_ = 0;
    std::string appData_, scenario_;
};

}  // namespace linsett_test
