// The machine's own USB tree as the library's picture of the hardware: read through the
// system interface, mapped, and looked at again whenever Windows reports a device interface
// coming or going, and every few seconds for changes of health, which it does not announce.
// Those later looks run on a thread of their own: a device that is slow to answer must not
// hold up the program, whose thread the library shares. Nothing here lets an exception out:
// without memory there is simply no new picture this time. The transmission lights follow the
// bytes each device moves, as the capture service counts them; without its counts they rest
// and the computer's status text says why.
#include <windows.h>
#include <dbt.h>

#include <utility>

#include "driver/Layout.h"
#include "driver/Source.h"
#include "driver/usb/ActivityFeed.h"
#include "driver/usb/ActivityMeter.h"
#include "driver/usb/Enumerator.h"
#include "driver/usb/Mapping.h"
#include "driver/usb/Words.h"
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
            SayWhyLightsRest(scenario);
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
                SayWhyLightsRest(look.picture);
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

    // The per-tick work is one read of the shared counts. A code the control channel holds stays.
    bool StepActivity(World& world, UINT) override {
        const uint64_t now = GetTickCount64();
        targets_.clear();
        measured_.clear();
        for (size_t i = 0; i < world.units().size(); ++i) {
            const Unit& unit = world.units()[i];
            if (unit.kind != kDevice || !unit.entry || unit.heldStatus >= 0 || !world.Connected(int(i))) continue;
            targets_.push_back({unit.entry->busHub, unit.entry->busAddress});
            measured_.push_back(int(i));
        }
        counts_ = meter_.Look(feed_->Counts(now), now, targets_, levels_);
        countedMs_ = now;
        if (counts_ == usb::ActivityMeter::Counts::Stale) feed_->LetGo();
        bool changed = false;
        for (size_t t = 0; t < measured_.size(); ++t) {
            Unit& unit = world.unit(measured_[t]);
            changed |= unit.status != levels_[t];
            unit.status = levels_[t];
        }
        return changed;
    }

private:
    // Appended to the computer's status text while there are no counts. With the lights off
    // nobody has looked lately, so the feed is asked.
    void SayWhyLightsRest(Scenario& scenario) {
        using Counts = usb::ActivityMeter::Counts;
        const uint64_t now = GetTickCount64();
        Counts counts = counts_;
        if (now - countedMs_ > usb::ActivityMeter::kStaleMs) counts = feed_->Counts(now) ? Counts::Fresh : Counts::Absent;
        if (counts == Counts::Fresh) return;
        std::string& text = scenario.computer.statusText;
        text = usb::Clip(text + " Transmission lights at rest: " +
                             (counts == Counts::Absent ? feed_->WhyAbsent() : std::string(usb::kServiceNotRunning)),
                         kLongText);
    }

    HDEVNOTIFY notification_ = nullptr;
    usb::Worker worker_;
    HWND window_ = nullptr;
    UINT ready_ = 0;
    bool again_ = false;
    mutable bool noticed_ = false;  // a device notice came since the last look started
    // The pass the current picture came from; a running look shares it.
    std::shared_ptr<const usb::Snapshot> last_;
    // The traffic: where it is read, what it came to at the last tick, and when.
    std::unique_ptr<usb::ActivityFeed> feed_ = usb::MakeActivityFeed();
    usb::ActivityMeter meter_;
    usb::ActivityMeter::Counts counts_ = usb::ActivityMeter::Counts::Absent;
    uint64_t countedMs_ = 0;
    std::vector<usb::ActivityMeter::Target> targets_;
    std::vector<int> measured_, levels_;  // unit indices beside targets_, and their codes
};

}  // namespace

std::unique_ptr<Source> MakeSource() { return std::make_unique<UsbTree>(); }

}  // namespace linsett
