#include "tests/unit/driver/LibraryHarness.h"

#include <filesystem>

#include "driver/Text.h"
#include "driver/ctl/ControlClient.h"
#include "tests/e2e/driver/Paths.h"
#include "tests/e2e/driver/TopWindows.h"

namespace linsett_test {

namespace {

bool g_insideExport = false;

uint32_t __stdcall Record(int slot, uint32_t argument) {
    uint8_t changeCode = slot == kOnTopologyChanged ? Read<uint8_t>(argument, 0x0E) : 0;
    Events().push_back(CallbackEvent{slot, argument, GetCurrentThreadId(), g_insideExport, changeCode});
    return 1;
}
uint32_t __stdcall OnChanged(uint32_t argument) { return Record(kOnTopologyChanged, argument); }
uint32_t __stdcall OnNotice(uint32_t argument) { return Record(kOnDriverNotice, argument); }
uint32_t __stdcall OnChanging(uint32_t argument) { return Record(kOnTopologyChanging, argument); }

HMODULE Library() {
    static HMODULE module = LoadLibraryA("Linsett.dll");
    return module;
}

template <class F>
F Export(const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(Library(), name)));
}

std::string NewTempFolder() {
    static int counter = 0;
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    std::string folder = std::string(base) + "linsett-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                         std::to_string(++counter);
    std::filesystem::remove_all(folder);
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

}  // namespace

std::vector<CallbackEvent>& Events() {
    static std::vector<CallbackEvent> events;
    return events;
}

int CountEvents(int slot) {
    int count = 0;
    for (const CallbackEvent& event : Events()) count += event.slot == slot;
    return count;
}

std::string ReadWideAsUtf8(uint32_t textAddress) {
    if (!textAddress) return {};
    const auto* text = reinterpret_cast<const char16_t*>(static_cast<uintptr_t>(textAddress));
    return linsett::Narrow(text);
}

std::string ReadWideArray(uint32_t address, uint32_t offset) {
    return linsett::Narrow(reinterpret_cast<const char16_t*>(static_cast<uintptr_t>(address) + offset));
}

std::string ReadAnsi(uint32_t textAddress) {
    return textAddress ? std::string(reinterpret_cast<const char*>(static_cast<uintptr_t>(textAddress))) : "<null>";
}

std::string ScenarioPath(const char* name) {
    return e2e::WindowsPath(std::string(LINSETT_SCENARIO_DIR) + "/" + name);
}

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (condition()) return true;
        ULONGLONG now = GetTickCount64();
        if (now >= deadline) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 50)),
                                  QS_ALLINPUT);
    }
}

BoxWatcher::BoxWatcher()
    : thread_([this] {
          e2e::ModalBox box = e2e::WaitForModalBox(GetCurrentProcessId(), 20000);
          if (!box.window) return;
          text_ = box.title + "|" + box.text;
          e2e::CloseModalBoxes(GetCurrentProcessId());
      }) {}

BoxWatcher::~BoxWatcher() {
    if (thread_.joinable()) thread_.join();
}

std::string BoxWatcher::Text() {
    if (thread_.joinable()) thread_.join();
    return text_;
}

void LibraryTest::SetUp() {
    ASSERT_NE(Library(), nullptr) << "Linsett.dll did not load";
    initialize_ = Export<InitializeDLLFn>("InitializeDLL");
    deinitialize_ = Export<DeinitializeDLLFn>("DeinitializeDLL");
    moveUp_ = Export<MoveNodeUpFn>("MoveNodeUp");
    moveDown_ = Export<MoveNodeDownFn>("MoveNodeDown");
    lights_ = Export<ShowRealTimeTransmissionLightFn>("ShowRealTimeTransmissionLight");
    save_ = Export<SaveChangeFn>("SaveChange");
    ASSERT_TRUE(initialize_ && deinitialize_ && moveUp_ && moveDown_ && lights_ && save_);
    InitCommonControls();
    tree_ = CreateWindowExA(0, WC_TREEVIEWA, "", 0, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(tree_, nullptr);
    appData_ = NewTempFolder();
    SetEnvironmentVariableA("LOCALAPPDATA", appData_.c_str());
    Events().clear();
}

void LibraryTest::TearDown() {
    Stop();
    if (tree_) DestroyWindow(tree_);
    SetEnvironmentVariableA("LINSETT_SCENARIO", nullptr);
    std::filesystem::remove_all(appData_);
}

uint32_t LibraryTest::Initialize() {
    // The program's own table: a local array of native pointers, valid only during the call.
    LinsettCallback table[kLinsettCallbackCount] = {OnChanged, OnNotice, OnChanging};
    g_insideExport = true;
    void* root = initialize_(tree_, table);
    g_insideExport = false;
    root_ = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(root));
    EXPECT_EQ(reinterpret_cast<uintptr_t>(root), root_) << "the root block lies above 4 GB";
    return root_;
}

uint32_t LibraryTest::Start(const std::string& scenario) {
    // An empty name leaves the built-in demo; a bare name is a shipped scenario.
    std::string path = scenario.find('\\') == std::string::npos ? ScenarioPath(scenario.c_str()) : scenario;
    SetEnvironmentVariableA("LINSETT_SCENARIO", scenario.empty() ? nullptr : path.c_str());
    return Initialize();
}

uint32_t LibraryTest::Restart() {
    Stop();
    return Initialize();
}

void LibraryTest::Stop() {
    g_insideExport = true;
    deinitialize_();
    g_insideExport = false;
    root_ = 0;
}

std::string LibraryTest::Control(const std::string& command) {
    linsett::ControlResult found;
    HWND control = linsett::FindControlWindow(GetCurrentProcessId(), found);
    if (!control) return "no control window";
    std::string reply;
    if (linsett::SendControlCommand(control, command, 10000, reply) == linsett::ControlResult::Timeout)
        return "timeout";
    return reply;
}

uint32_t LibraryTest::ChangeTopology(const std::string& command) {
    int before = CountEvents(kOnTopologyChanged);
    std::string reply = Control(command);
    EXPECT_EQ(reply, "ok") << command;
    EXPECT_TRUE(PumpUntil([&] { return CountEvents(kOnTopologyChanged) > before; })) << command;
    root_ = Events().back().argument;
    return root_;
}

std::vector<HTREEITEM> LibraryTest::Children(HTREEITEM item) const {
    std::vector<HTREEITEM> children;
    auto next = [&](HTREEITEM from, WPARAM how) {
        return reinterpret_cast<HTREEITEM>(SendMessageA(tree_, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(from)));
    };
    for (HTREEITEM child = next(item, TVGN_CHILD); child; child = next(child, TVGN_NEXT)) children.push_back(child);
    return children;
}

uint32_t LibraryTest::Param(HTREEITEM item) const {
    TVITEMA query{};
    query.mask = TVIF_PARAM;
    query.hItem = item;
    SendMessageA(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
    EXPECT_EQ(static_cast<uint64_t>(query.lParam) >> 32, 0u) << "an item parameter above 4 GB";
    return static_cast<uint32_t>(query.lParam);
}

std::string LibraryTest::Text(HTREEITEM item) const {
    char buffer[256] = {};
    TVITEMA query{};
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText = buffer;
    query.cchTextMax = 255;
    SendMessageA(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
    return buffer;
}

HTREEITEM LibraryTest::RootItem() const {
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree_, TVM_GETNEXTITEM, TVGN_ROOT, 0));
}

std::vector<uint32_t> LibraryTest::Ring(uint32_t link) const {
    std::vector<uint32_t> ring;
    uint32_t entry = Read<uint32_t>(root_, 0x00);
    uint32_t record = entry;
    do {
        ring.push_back(record);
        record = Read<uint32_t>(record, link);
    } while (record && record != entry && ring.size() < 1000);
    return ring;
}

uint32_t LibraryTest::RecordByKey(const std::string& key) const {
    for (uint32_t record : Ring(0x2C8))
        if (ReadAnsi(Read<uint32_t>(record, 0x008)) == key) return record;
    return 0;
}

std::vector<std::string> LibraryTest::MonitorKeys() const {
    std::vector<std::string> keys;
    uint32_t start = Read<uint32_t>(root_, 0x04);
    uint32_t record = start;
    do {
        uint8_t kind = Read<uint8_t>(record, 0);
        if (kind == 0x80 || (kind == 0x83 && Read<uint32_t>(record, 0x004)))
            keys.push_back(ReadAnsi(Read<uint32_t>(record, 0x008)));
        record = Read<uint32_t>(record, 0x2CC);
    } while (record != start && keys.size() < 1000);
    return keys;
}

}  // namespace linsett_test
