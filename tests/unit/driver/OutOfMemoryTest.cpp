// The stand-in Linsett.dll out of memory at any allocation, in an export or a message: the program
// goes on with a whole generation or none, and the library works again once there is memory.
#include "tests/unit/driver/LibraryFixture.h"

namespace {

using Malloc = void*(__cdecl*)(size_t);
Malloc g_malloc = nullptr;
long g_beforeFailure = -1;  // allocations that succeed before one fails; -1: none fails
bool g_refused = false;

// One allocation fails, as the one too large for what memory is left would. (Were all the
// later ones to fail too, the runtime could not even allocate the exception it throws.)
void* __cdecl Rationed(size_t size) {
    if (g_beforeFailure >= 0 && g_beforeFailure-- == 0) {
        g_refused = true;
        return nullptr;
    }
    return g_malloc(size);
}

// The library's import slot of a function, as the loader filled it in.
void** ImportSlot(HMODULE module, const char* library, const char* function) {
    auto* base = reinterpret_cast<uint8_t*>(module);
    auto* headers = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); d->Name; ++d) {
        if (_stricmp(reinterpret_cast<const char*>(base + d->Name), library) != 0) continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            auto* named = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(named->Name), function) == 0)
                return reinterpret_cast<void**>(&slots->u1.Function);
        }
    }
    return nullptr;
}

void Point(void** slot, void* function) {
    DWORD protection = 0;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
    *slot = function;
    VirtualProtect(slot, sizeof *slot, protection, &protection);
}

class OutOfMemory : public Library {
protected:
    void SetUp() override {
        Library::SetUp();
        HMODULE library = GetModuleHandleA("Linsett.dll");
        slot_ = library ? ImportSlot(library, "msvcrt.dll", "malloc") : nullptr;
        ASSERT_NE(slot_, nullptr) << "the library does not allocate through msvcrt's malloc";
        g_malloc = reinterpret_cast<Malloc>(*slot_);
        Point(slot_, reinterpret_cast<void*>(&Rationed));
    }
    void TearDown() override {
        g_beforeFailure = -1;
        if (slot_) Point(slot_, reinterpret_cast<void*>(g_malloc));
        Library::TearDown();
    }
    // Runs the action with the library's first allocation failing, then its second, and so on
    // until one run makes fewer; check runs after each, with memory back.
    void Starve(const std::function<void()>& action, const std::function<void()>& check) {
        for (long failing = 0; failing < 100000; ++failing) {
            g_refused = false;
            g_beforeFailure = failing;
            action();
            g_beforeFailure = -1;
            check();
            if (!g_refused || HasFatalFailure()) return;
        }
        ADD_FAILURE() << "the action never ran to its end";
    }
    // Runs the library's messages until none is left.
    static void Drain() {
        for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);) DispatchMessageA(&message);
    }
    HWND ControlWindow() const {
        linsett::ControlResult found;
        return linsett::FindControlWindow(GetCurrentProcessId(), found);
    }

    void** slot_ = nullptr;
};

TEST_F(OutOfMemory, AStartThatRunsOutReturnsNullAndLeavesNothingBehind) {
    scenario_ = e2e::WindowsPath(shippedDir_ + "/test-small.json");
    uint32_t root = 0;
    Starve([&] { root = Restart(); },
           [&] {
               if (g_refused) {
                   EXPECT_EQ(root, 0u);
                   EXPECT_EQ(ControlWindow(), nullptr) << "a window left behind";
                   EXPECT_TRUE(Children(TVI_ROOT).empty()) << "items left pointing at freed nodes";
               }
               Drain();
               EXPECT_TRUE(g_events.empty());
           });
    ASSERT_NE(root, 0u);
    ExpectPublishedInvariants();
    EXPECT_EQ(Control("dump").rfind("ok", 0), 0u);
}

TEST_F(OutOfMemory, AMessageThatRunsOutIsDroppedAndTheProgramKeepsAWholeGeneration) {
    ASSERT_NE(Start("test-small.json"), 0u);
    const std::string command = "unplug cam";
    size_t before = 0;
    Starve(
        [&] {
            before = g_events.size();
            std::string unused;  // no wait for the reply: the command runs as the messages are drained
            linsett::SendControlMessage(ControlWindow(), kCommandTag, command.data(), DWORD(command.size()), 0, unused);
            Drain();
        },
        [&] {
            ASSERT_TRUE(g_events.size() == before || g_events.size() == before + 2) << "a change without its pair";
            if (g_events.size() == before) return;
            EXPECT_EQ(g_events[before].slot, kOnTopologyChanging);
            EXPECT_EQ(g_events[before + 1].slot, kOnTopologyChanged);
            root_ = g_events.back().argument;
            ExpectPublishedInvariants();
            if (g_refused && Node("cam")) ChangeTopology("plug cam");  // handed back: the next run starts alike
        });
    EXPECT_EQ(Node("cam"), 0u);
    ChangeTopology("plug cam");
    EXPECT_NE(Node("cam"), 0u) << "the library no longer changes anything";
}

TEST_F(OutOfMemory, ExportsThatRunOutReturnAndTheLibraryGoesOn) {
    ASSERT_NE(Start("test-small.json"), 0u);
    auto record = [&](const char* key) { return reinterpret_cast<void*>(static_cast<uintptr_t>(Record(key))); };
    const std::pair<const char*, std::function<void()>> exports[] = {
        {"MoveNodeDown", [&] { Export<MoveNodeDownFn>("MoveNodeDown")(record("keys"), 99); }},  // to the end
        {"SaveChange", [&] { Export<SaveChangeFn>("SaveChange")(); }},
        {"DeinitializeDLL", [&] { Stop(); }},
    };
    for (const auto& [name, call] : exports) {
        Starve(call, [&] {
            Drain();
            EXPECT_TRUE(g_events.empty()) << name;
            if (root_) ExpectPublishedInvariants();
            else EXPECT_TRUE(Children(TVI_ROOT).empty()) << name;
            if (g_refused && !root_) ASSERT_NE(Restart(), 0u) << name;
        });
    }
    ASSERT_NE(Restart(), 0u);
    EXPECT_EQ(MonitorKeys(), (Keys{"Computer", "disk", "cam", "keys"})) << "the move was not saved";
}

}  // namespace
