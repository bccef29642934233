// The machine's own USB tree as the library's picture of the hardware: read through the
// system interface, mapped, and looked at again whenever Windows reports a device interface
// coming or going, and every few seconds for changes of health, which it does not announce.
// Those later looks run on a thread of their own: a device that is slow to answer must not
// hold up the program, whose thread the library shares.
#include <windows.h>
#include <dbt.h>

#include <thread>
#include <utility>

#include "driver/Source.h"
#include "driver/usb/Enumerator.h"
#include "driver/usb/Mapping.h"

namespace linsett {

namespace {

constexpr uint32_t kPassBudgetMs = 2000;  // a device that stops answering costs one pass this much at most
constexpr UINT kRecheckMs = 5000;

class UsbTree : public Source {
public:
    bool Read(Scenario& scenario, std::string& error) override { return ReadTree(scenario, error, last_, nullptr); }

    void Attach(HWND window) override {
        DEV_BROADCAST_DEVICEINTERFACE_W filter{};
        filter.dbcc_size = sizeof filter;
        filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
        notification_ = RegisterDeviceNotificationW(window, &filter,
                                                    DEVICE_NOTIFY_WINDOW_HANDLE | DEVICE_NOTIFY_ALL_INTERFACE_CLASSES);
    }

    void Detach() override {
        if (notification_) UnregisterDeviceNotification(notification_);
        notification_ = nullptr;
        if (worker_.joinable()) worker_.join();
    }

    bool SignalsChange(UINT message, WPARAM wParam) const override {
        return message == WM_DEVICECHANGE &&
               (wParam == DBT_DEVICEARRIVAL || wParam == DBT_DEVICEREMOVECOMPLETE || wParam == DBT_DEVNODES_CHANGED);
    }

    // One look at a time; one asked for meanwhile starts when the running one is taken.
    void Look(HWND window, UINT ready) override {
        if (worker_.joinable()) {
            again_ = true;
            return;
        }
        window_ = window;
        ready_ = ready;
        worker_ = std::thread([this] {
            std::string unused;
            found_ = ReadTree(picture_, unused, snapshot_, &last_);
            PostMessageW(window_, ready_, 0, 0);
        });
    }

    bool Take(const Scenario& current, Scenario& next) override {
        if (!worker_.joinable()) return false;
        worker_.join();  // it has posted, so it is done
        const bool found = found_;
        if (found) {
            next = std::move(picture_);
            usb::KeepDisconnected(current, next);
            last_ = std::move(snapshot_);
        }
        picture_ = Scenario();
        if (std::exchange(again_, false)) Look(window_, ready_);
        return found;
    }

    UINT RecheckMs() const override { return kRecheckMs; }

private:
    // The system is made anew for every look: a replayed one then reads its fixture again,
    // which is how a recorded plug or unplug is played. The last pass, when there is one,
    // lets devices that stayed keep what their descriptors said.
    static bool ReadTree(Scenario& scenario, std::string& error, usb::Snapshot& snapshot,
                         const usb::Snapshot* last) {
        std::unique_ptr<usb::UsbSystem> system = usb::MakeSystem(error);
        if (!system) return false;
        usb::Enumerate(*system, snapshot, kPassBudgetMs, last);
        scenario = usb::MapSnapshot(snapshot);
        return true;
    }

    HDEVNOTIFY notification_ = nullptr;
    std::thread worker_;
    HWND window_ = nullptr;
    UINT ready_ = 0;
    bool again_ = false;
    usb::Snapshot last_;  // the pass the current picture came from
    // Written by the worker before it posts, read on the window's thread after the join.
    Scenario picture_;
    usb::Snapshot snapshot_;
    bool found_ = false;
};

}  // namespace

std::unique_ptr<Source> MakeSource() { return std::make_unique<UsbTree>(); }

}  // namespace linsett
