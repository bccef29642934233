// What the system hands over unchecked, and looks on their own thread that the system never ends.
#include <gtest/gtest.h>
#include <windows.h>
#include <atomic>
#include <new>
#include "driver/usb/Enumerator.h"
#include "driver/usb/RegistryText.h"
#include "driver/usb/ReplayUsbSystem.h"
#include "driver/usb/Worker.h"
#include "tests/unit/driver/usb/WrappedSystem.h"

namespace linsett::usb {
namespace {

template <size_t N>
std::u16string Units(const char16_t (&text)[N]) {
    return std::u16string(text, N - 1);
}

TEST(RegistryText, NothingBeyondWhatTheSystemWroteIsRead) {
    const struct {
        const char* what;
        std::u16string units;
        size_t bytes;
        bool multi;
        std::vector<std::u16string> strings;
    } cases[] = {
        {"a list", Units(u"PCI\\CC_0C0330\0PCI\\CC_0C03\0\0Z"), 54, true, {u"PCI\\CC_0C0330", u"PCI\\CC_0C03"}},
        {"no terminator", Units(u"ABZ"), 4, true, {u"AB"}},
        {"an odd byte count", Units(u"AB\0Z"), 3, true, {u"A"}},
        {"a text with more after it", Units(u"AB\0CD\0\0"), 14, false, {u"AB"}},
        {"an empty first string", Units(u"\0AB\0\0"), 10, true, {}},
        {"nothing", Units(u"Z"), 0, true, {}},
    };
    for (const auto& c : cases) {
        ASSERT_LE(c.bytes, c.units.size() * 2) << c.what;
        EXPECT_EQ(SplitRegistryStrings(reinterpret_cast<const uint8_t*>(c.units.data()), c.bytes, c.multi), c.strings)
            << c.what;
    }
}

HWND MessageWindow() { return CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr); }

// Waits a generous while for the message.
bool Posted(HWND window, UINT message) {
    MSG posted;
    for (ULONGLONG end = GetTickCount64() + 10000; GetTickCount64() < end;) {
        if (PeekMessageW(&posted, window, message, message, PM_REMOVE)) return true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_POSTMESSAGE);
    }
    return false;
}

TEST(Worker, AJobThatThrowsEndsAsIfItFoundNothing) {
    struct Throwing : Job {
        void Run(const std::atomic<bool>&) override { throw std::bad_alloc(); }
    };
    HWND window = MessageWindow();
    Worker worker;
    ASSERT_TRUE(worker.Start(std::make_shared<Throwing>(), window, WM_APP));
    EXPECT_TRUE(Posted(window, WM_APP));
    EXPECT_TRUE(worker.Finished());
    EXPECT_FALSE(worker.Busy());
    DestroyWindow(window);
}

// Shared by the test and a look whose requests block until let go, as a driver's that never complete.
struct Gate {
    HANDLE entered = CreateEventW(nullptr, TRUE, FALSE, nullptr), release = CreateEventW(nullptr, TRUE, FALSE, nullptr),
           gone = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<int> requests{0};
    ~Gate() {
        for (HANDLE event : {entered, release, gone}) CloseHandle(event);
    }
};

class Blocking : public WrappedSystem {
public:
    Blocking(std::unique_ptr<UsbSystem> inner, std::shared_ptr<Gate> gate)
        : WrappedSystem(std::move(inner)), gate_(std::move(gate)) {}
    uint32_t Control(OpenDevice&, uint32_t, const void*, uint32_t, void*, uint32_t, uint32_t& returned,
                     uint32_t) override {
        returned = 0;
        ++gate_->requests;
        SetEvent(gate_->entered);
        WaitForSingleObject(gate_->release, 600000);  // beyond the test's own time limit
        return error::kSemTimeout;
    }

private:
    std::shared_ptr<Gate> gate_;
};

class BlockedLook : public Job {
public:
    explicit BlockedLook(std::shared_ptr<Gate> gate) : gate_(std::move(gate)) {}
    ~BlockedLook() override { SetEvent(gate_->gone); }
    void Run(const std::atomic<bool>& stop) override {
        std::string error;
        Blocking system(LoadReplaySystem(std::string(USB_FIXTURE_DIR) + "/laptop.json", error), gate_);
        Snapshot snapshot;
        Enumerate(system, snapshot, {kPassBudgetMs, nullptr, false, &stop});
    }

private:
    std::shared_ptr<Gate> gate_;
};

TEST(Worker, AJobTheSystemNeverAnswersIsLeftBehindAsksNothingMoreAndPostsNothing) {
    auto gate = std::make_shared<Gate>();
    HWND window = MessageWindow();
    {
        Worker worker;
        ASSERT_TRUE(worker.Start(std::make_shared<BlockedLook>(gate), window, WM_APP));
        ASSERT_EQ(WaitForSingleObject(gate->entered, 10000), WAIT_OBJECT_0);
        worker.Stop(50);  // returns although the request does not
        EXPECT_FALSE(worker.Busy());
    }
    SetEvent(gate->release);
    EXPECT_EQ(WaitForSingleObject(gate->gone, 10000), WAIT_OBJECT_0) << "the look was never let go";
    EXPECT_EQ(gate->requests, 1) << "the look asked on after it was told to stop";
    MSG posted;  // it would have been posted before the look was let go
    EXPECT_FALSE(PeekMessageW(&posted, window, WM_APP, WM_APP, PM_REMOVE)) << "the look posted after it was left";
    DestroyWindow(window);
}

}  // namespace
}  // namespace linsett::usb
