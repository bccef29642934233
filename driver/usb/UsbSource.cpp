// The machine's own USB tree as the library's picture of the hardware: read through the
// system interface, mapped, and looked at again whenever Windows reports a device interface
// coming or going, and every few seconds for changes of health, which it does not announce.
#include <windows.h>
#include <dbt.h>

#include "driver/Source.h"
#include "driver/usb/Enumerator.h"
#include "driver/usb/Mapping.h"

namespace linsett {

namespace {

constexpr uint32_t kPassBudgetMs = 2000;  // a device that stops answering costs one pass this much at most
constexpr UINT kRecheckMs = 5000;

class UsbTree : public Source {
public:
    bool Read(Scenario& scenario, std::string& error) override { return Look(scenario, error); }

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
    }

    bool SignalsChange(UINT message, WPARAM wParam) const override {
        return message == WM_DEVICECHANGE &&
               (wParam == DBT_DEVICEARRIVAL || wParam == DBT_DEVICEREMOVECOMPLETE || wParam == DBT_DEVNODES_CHANGED);
    }

    bool Reread(const Scenario& current, Scenario& next) override {
        std::string unused;
        if (!Look(next, unused)) return false;
        usb::KeepDisconnected(current, next);
        return true;
    }

    UINT RecheckMs() const override { return kRecheckMs; }

private:
    // The system is made anew for every look: a replayed one then reads its fixture again,
    // which is how a recorded plug or unplug is played.
    static bool Look(Scenario& scenario, std::string& error) {
        std::unique_ptr<usb::UsbSystem> system = usb::MakeSystem(error);
        if (!system) return false;
        usb::Snapshot snapshot;
        usb::Enumerate(*system, snapshot, kPassBudgetMs);
        scenario = usb::MapSnapshot(snapshot);
        return true;
    }

    HDEVNOTIFY notification_ = nullptr;
};

}  // namespace

std::unique_ptr<Source> MakeSource() { return std::make_unique<UsbTree>(); }

}  // namespace linsett
