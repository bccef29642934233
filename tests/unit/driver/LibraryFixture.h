#pragma once
// The Linsett.dll beside the test binary, loaded into the test process on a hidden tree window
// of this thread, with a private LOCALAPPDATA per test; published fields are read by offset
// from 32-bit addresses, as the program does. Both builds of the library are tested with it.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <set>
#include <thread>

#include "driver/AnsiText.h"
#include "driver/ControlProtocol.h"
#include "driver/LinsettApi.h"
#include "driver/Text.h"
#include "driver/ctl/ControlClient.h"
#include "tests/support/Paths.h"
#include "tests/support/TopWindows.h"

namespace {

using Keys = std::vector<std::string>;
using linsett::kCommandTag;

// duringExport: an export of the library was running; changeCode: OnTopologyChanged's, read while valid.
struct CallbackEvent { int slot; uint32_t argument; bool duringExport; uint8_t changeCode; };
std::vector<CallbackEvent> g_events;
bool g_insideExport = false;

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

std::string WideText(uint32_t address) {
    return address ? linsett::Narrow(reinterpret_cast<const char16_t*>(static_cast<uintptr_t>(address))) : "<null>";
}

std::string AnsiText(uint32_t address) {
    return address ? reinterpret_cast<const char*>(static_cast<uintptr_t>(address)) : "<null>";
}

template <int Slot>
uint32_t __stdcall On(uint32_t argument) {
    uint8_t changeCode = Slot == kOnTopologyChanged ? Read<uint8_t>(argument, 0x0E) : 0;
    g_events.push_back(CallbackEvent{Slot, argument, g_insideExport, changeCode});
    return 1;
}

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000) {
    for (ULONGLONG deadline = GetTickCount64() + timeoutMs;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        if (condition()) return true;
        if (GetTickCount64() >= deadline) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

// Writes a record's user name and icon as the device options dialog does.
void Edit(uint32_t record, const std::u16string& name, int icon, int group) {
    auto* bytes = reinterpret_cast<uint8_t*>(static_cast<uintptr_t>(record));
    std::memset(bytes + 0x00E, 0, 66);
    std::memcpy(bytes + 0x00E, name.data(), name.size() * 2);
    uint16_t sizeAndFlags[] = {static_cast<uint16_t>(2 * (name.size() + 1)),
                               static_cast<uint16_t>((Read<uint16_t>(record, 0x052) & ~0x3FFF) | (icon << 4) | group)};
    std::memcpy(bytes + 0x050, sizeAndFlags, 4);
}

void ExpectEdited(uint32_t record, const char* name, int icon, int group) {
    EXPECT_EQ(WideText(record + 0x00E), name);
    EXPECT_EQ(Read<uint16_t>(record, 0x052) & 0x3FFF, (icon << 4) | group) << name;
}

uint8_t& LightSwitch(uint32_t systemRecord) { return *reinterpret_cast<uint8_t*>(systemRecord + uintptr_t{2}); }

class Library : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Export<InitializeDLLFn>("InitializeDLL")) << "Linsett.dll did not load";
        InitCommonControls();
        tree_ = CreateWindowExA(0, WC_TREEVIEWA, "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(tree_, nullptr) << GetLastError();
        static int counter = 0;
        appData_ = std::filesystem::temp_directory_path().string() + "linsett-test-" +
                   std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
        std::filesystem::remove_all(appData_);
        std::filesystem::create_directories(appData_ + "\\Quorvane");
        SetEnvironmentVariableA("LOCALAPPDATA", appData_.c_str());
        g_events.clear();
        watcher_ = std::thread([this] { WatchForBoxes(); });
    }
    void TearDown() override {
        Stop();
        watching_ = false;
        if (watcher_.joinable()) watcher_.join();
        for (const std::string& box : unasked_) ADD_FAILURE() << "the library showed a box: " << box;
        DestroyWindow(tree_);
        std::filesystem::remove_all(appData_);
    }
    uint32_t Start(const std::string& scenario) {  // a shipped file, a full path, or "" for the demo
        bool shipped = !scenario.empty() && scenario.find('\\') == std::string::npos;
        scenario_ = shipped ? e2e::WindowsPath(shippedDir_ + "/" + scenario) : scenario;
        return Restart();
    }
    uint32_t Restart() {
        Stop();
        const std::u16string name = linsett::Widen(variable_), value = linsett::Widen(scenario_);  // UTF-8, any path
        SetEnvironmentVariableW(reinterpret_cast<const wchar_t*>(name.c_str()),
                                scenario_.empty() ? nullptr : reinterpret_cast<const wchar_t*>(value.c_str()));
        // The program's own table: a local array of native pointers, valid only during the call.
        LinsettCallback table[] = {On<kOnTopologyChanged>, On<kOnDriverNotice>, On<kOnTopologyChanging>};
        g_insideExport = true;
        auto root = reinterpret_cast<uintptr_t>(Export<InitializeDLLFn>("InitializeDLL")(tree_, table));
        g_insideExport = false;
        EXPECT_EQ(root >> 32, 0u) << "the root block lies above 4 GB";
        return root_ = static_cast<uint32_t>(root);
    }
    void Stop() {
        g_insideExport = true;
        Export<DeinitializeDLLFn>("DeinitializeDLL")();
        g_insideExport = false;
        root_ = 0;
    }
    Keys Boxes(const std::function<void()>& action) {  // "title|text" of each box it shows, answered
        {
            std::lock_guard<std::mutex> lock(boxesLock_);
            asked_.clear();
            asking_ = true;
        }
        action();
        std::lock_guard<std::mutex> lock(boxesLock_);
        asking_ = false;
        return asked_;
    }
    // Every box is read and answered as it appears, so none can hold a test up: those shown
    // while Boxes() runs its action are the test's to check, any other fails the test.
    void WatchForBoxes() {
        for (DWORD self = GetCurrentProcessId(); watching_;) {
            const e2e::ModalBox box = e2e::WaitForModalBox(self, 50);
            if (!box.window) continue;
            {
                std::lock_guard<std::mutex> lock(boxesLock_);
                (asking_ ? asked_ : unasked_).push_back(box.title + "|" + box.text);
            }
            HWND ok = GetDlgItem(box.window, IDOK);
            PostMessageA(box.window, WM_COMMAND, MAKEWPARAM(ok ? IDOK : IDCANCEL, BN_CLICKED),
                         reinterpret_cast<LPARAM>(ok ? ok : GetDlgItem(box.window, IDCANCEL)));
            while (watching_ && IsWindow(box.window)) Sleep(10);  // read once, answered once
        }
    }
    std::string Control(const std::string& command) { return Send(kCommandTag, command.data(), DWORD(command.size())); }
    std::string Send(uintptr_t tag, const void* bytes, DWORD size) {  // the reply
        linsett::ControlResult found;
        HWND control = linsett::FindControlWindow(GetCurrentProcessId(), found);
        std::string reply = control ? "timeout" : "no control window";
        if (control) linsett::SendControlMessage(control, tag, bytes, size, 10000, reply);
        return reply;
    }
    uint32_t ChangeTopology(const std::string& command) {
        size_t before = g_events.size();  // Changing and Changed come in one message
        EXPECT_EQ(Control(command), "ok") << command;
        EXPECT_TRUE(PumpUntil([&] { return g_events.size() > before + 1; })) << command;
        return root_ = g_events.back().argument;
    }
    std::vector<HTREEITEM> Children(HTREEITEM item) const {  // TVI_ROOT for the root items
        std::vector<HTREEITEM> children;
        auto next = [&](HTREEITEM from, WPARAM how) {
            return HTREEITEM(SendMessageA(tree_, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(from)));
        };
        HTREEITEM child = next(item, item == TVI_ROOT ? TVGN_ROOT : TVGN_CHILD);
        for (; child; child = next(child, TVGN_NEXT)) children.push_back(child);
        return children;
    }
    std::pair<uint32_t, std::string> Item(HTREEITEM item) const {  // its node and its text
        char text[256] = {};
        TVITEMA query{TVIF_PARAM | TVIF_TEXT, item, 0, 0, text, 255, 0, 0, 0, 0};  // every field: no warning
        SendMessageA(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
        return {static_cast<uint32_t>(query.lParam), linsett::AnsiToUtf8(text)};
    }
    std::vector<uint32_t> Ring(uint32_t link, uint32_t start = 0) const {  // records along a link
        std::vector<uint32_t> ring;
        start = start ? start : Read<uint32_t>(root_, 0x00);
        for (uint32_t r = start; r && ring.size() < 1000 && (ring.empty() || r != start); r = Read<uint32_t>(r, link))
            ring.push_back(r);
        return ring;
    }
    uint32_t Record(const std::string& key) const {
        for (uint32_t record : Ring(0x2C8))
            if (AnsiText(Read<uint32_t>(record, 0x008)) == key) return record;
        return 0;
    }
    uint32_t Node(const std::string& key) const { return Read<uint32_t>(Record(key), 0x004); }

    Keys MonitorKeys() const {  // shown records along link A from the start
        Keys keys;
        for (uint32_t record : Ring(0x2CC, Read<uint32_t>(root_, 0x04))) {
            uint8_t kind = Read<uint8_t>(record, 0);
            if (kind == 0x80 || (kind == 0x83 && Read<uint32_t>(record, 0x004)))
                keys.push_back(AnsiText(Read<uint32_t>(record, 0x008)));
        }
        return keys;
    }
    // The rules of the published tree and rings that the program relies on.
    void ExpectPublishedInvariants() {
        std::vector<HTREEITEM> roots = Children(TVI_ROOT);
        ASSERT_EQ(roots.size(), 1u);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(roots[0]) & 0xFFFFFFFF, Read<uint32_t>(root_, 0x08));
        // Both links visit every record once and return to the entry record, the system record.
        std::vector<uint32_t> listRing = Ring(0x2C8), monitorRing = Ring(0x2CC);
        std::set<uint32_t> records(listRing.begin(), listRing.end());
        EXPECT_EQ(Read<uint32_t>(listRing.back(), 0x2C8), listRing[0]);
        EXPECT_EQ(Read<uint32_t>(monitorRing.back(), 0x2CC), listRing[0]);
        EXPECT_EQ(records, std::set<uint32_t>(monitorRing.begin(), monitorRing.end()));
        EXPECT_EQ(records.size(), listRing.size());
        EXPECT_EQ(Read<uint32_t>(Item(roots[0]).first, 0x0C), listRing[0]);
        // Every port of every hub is an item, in port order, with the node of its record.
        std::function<void(HTREEITEM, bool)> visitHub = [&](HTREEITEM hubItem, bool rootHub) {
            std::vector<HTREEITEM> ports = Children(hubItem);
            EXPECT_EQ(ports.size(), Read<uint8_t>(Item(hubItem).first, 0x20));
            for (size_t i = 0; i < ports.size(); ++i) {
                auto [node, text] = Item(ports[i]);
                EXPECT_TRUE(node || text == "Available") << text;
                if (!node) continue;
                uint32_t record = Read<uint32_t>(node, 0x0C);
                EXPECT_TRUE(records.count(record) && Read<uint32_t>(record, 0x004) == node) << text;
                EXPECT_EQ(Read<uint16_t>(record, 0x172), i + 1) << "port badge of " << text;
                EXPECT_EQ(Read<uint8_t>(record, 0x174), rootHub ? 2 : 0) << "port type of " << text;
                bool hub = Read<uint8_t>(node, 0x00) == 0x82;
                if (hub) visitHub(ports[i], false);
                EXPECT_TRUE(hub || Read<uint8_t>(node, 0x51) == i + 1) << "device port of " << text;
            }
        };
        for (HTREEITEM adapter : Children(roots[0]))
            for (HTREEITEM hub : Children(adapter)) visitHub(hub, true);
    }
    static std::string Contents(const std::string& path) {
        std::ifstream in(path);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::string StateFile() const { return appData_ + "\\Quorvane\\linsett-state.json"; }

    // Where the picture comes from: the variable naming the file, and the shipped files' folder.
    const char* variable_ = LIBRARY_INPUT_VARIABLE;
    std::string shippedDir_ = LIBRARY_INPUT_DIR;
    HWND tree_ = nullptr;
    uint32_t root_ = 0;
    std::string appData_, scenario_;
    std::thread watcher_;
    std::atomic<bool> watching_ = true;
    std::mutex boxesLock_;
    bool asking_ = false;
    Keys asked_, unasked_;
};

}  // namespace
