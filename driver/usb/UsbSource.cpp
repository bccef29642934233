// The machine's own USB tree as the library's picture of the hardware: read through the
// system interface, mapped, and looked at again whenever Windows reports a device interface
// coming or going, and every few seconds for changes of health, which it does not announce.
// Those later looks run on a thread of their own: a device that is slow to answer must not
// hold up the program, whose thread the library shares. Nothing here lets an exception out:
// without memory there is simply no new picture this time.
#include <windows.h>
#include <dbt.h>

#include <utility>

#include "driver/Source.h"
#include "driver/usb/Enumerator.h"
#include "driver/usb/Mapping.h"
#include "driver/usb/Worker.h"

namespace linsett {

namespace {

constexpr UINT kRecheckMs = 5000;
// A look told to stop ends at its next request: within one request's wait and the wait for its
// cancellation. One that takes longer is left to finish alone.
constexpr DWORD kStopWaitMs = 1000;

// The system is made anew for every look: a replayed one then reads its fixture again, which
// is how a recorded plug or unplug is played.
bool ReadTree(Scenario& scenario, std::string& error, usb::Snapshot& snapshot, const usb::PassOptions& options) {
    std::unique_ptr<usb::UsbSystem> system = usb::MakeSystem(error);
    if (!system) return false;
    usb::Enumerate(*system, snapshot, options);
    scenario = usb::MapSnapshot(snapshot);
    return true;
}

// One later look: what it starts from and what it found, owned together with the thread.
class TreeLook : public usb::Job {
public:
    TreeLook(std::shared_ptr<const usb::Snapshot> last, bool noticed) : last_(std::move(last)), noticed_(noticed) {}

    void Run(const std::atomic<bool>& stop) override {
        std::string unused;
        found = ReadTree(picture, unused, snapshot, {usb::kPassBudgetMs, last_.get(), noticed_, &stop});
    }

    Scenario picture;
    usb::Snapshot snapshot;
    bool found = false;

private:
    const std::shared_ptr<const usb::Snapshot> last_;
    const bool noticed_;
};

class UsbTree : public Source {
public:
    bool Read(Scenario& scenario, std::string& error) override {
        try {
            auto snapshot = std::make_shared<usb::Snapshot>();
            if (!ReadTree(scenario, error, *snapshot, {})) return false;
            last_ = std::move(snapshot);
            return true;
        } catch (...) {
            error = "There is not enough memory to read the USB devices.";
            return false;
        }
    }

    void Attach(HWND window) override {
        DEV_BROADCAST_DEVICEINTERFACE_W filter{};
        filter.dbcc_size = sizeof filter;
        filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
        notification_ = RegisterDeviceNotificationW(window, &filter,
                                                    DEVICE_NOTIFY_WINDOW_HANDLE | DEVICE_NOTIFY_ALL_INTERFACE_CLASSES);
    }

    // A look still running is told to stop and waited for only so long (see Worker).
    void Detach() override {
        if (notification_) UnregisterDeviceNotification(notification_);
        notification_ = nullptr;
        worker_.Stop(kStopWaitMs);
    }

    // A notice also ends the rest of ports that stopped answering: one may have been replugged.
    bool SignalsChange(UINT message, WPARAM wParam) const override {
        bool change = message == WM_DEVICECHANGE && (wParam == DBT_DEVICEARRIVAL ||
                                                     wParam == DBT_DEVICEREMOVECOMPLETE || wParam == DBT_DEVNODES_CHANGED);
        if (change) noticed_ = true;
        return change;
    }

    // One look at a time; one asked for meanwhile starts when the running one is taken.
    void Look(HWND window, UINT ready) override {
        if (worker_.Busy()) {
            again_ = true;
            return;
        }
        window_ = window;
        ready_ = ready;
        try {
            if (worker_.Start(std::make_shared<TreeLook>(last_, noticed_), window, ready)) noticed_ = false;
        } catch (...) {
            // No look this time; the next notice or recheck asks again.
        }
    }

    bool Take(const Scenario& current, Scenario& next) override {
        std::shared_ptr<usb::Job> job = worker_.Finished();
        if (!job) return false;
        auto& look = static_cast<TreeLook&>(*job);
        bool found = look.found;
        try {
            if (found) {
                auto last = std::make_shared<usb::Snapshot>(std::move(look.snapshot));
                usb::KeepDisconnected(current, look.picture);
                next = std::move(look.picture);
                last_ = std::move(last);
            }
        } catch (...) {
            found = false;
        }
        if (std::exchange(again_, false)) Look(window_, ready_);
        return found;
    }

    UINT RecheckMs() const override { return kRecheckMs; }

private:
    HDEVNOTIFY notification_ = nullptr;
    usb::Worker worker_;
    HWND window_ = nullptr;
    UINT ready_ = 0;
    bool again_ = false;
    mutable bool noticed_ = false;  // a device notice came since the last look started
    // The pass the current picture came from; a running look shares it.
    std::shared_ptr<const usb::Snapshot> last_;
};

}  // namespace

std::unique_ptr<Source> MakeSource() { return std::make_unique<UsbTree>(); }

}  // namespace linsett
