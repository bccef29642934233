#include "app/TopologyEvents.h"

#include <optional>

#include "app/HistoryRecorder.h"
#include "base/Settings.h"
#include "dialogs/DeviceOptionsDialog.h"
#include "dialogs/SystemOptionsDialog.h"
#include "framework/WindowsAlive.h"
#include "model/Alerts.h"
#include "model/DeviceNode.h"
#include "model/DeviceTree.h"
#include "model/DriverInterface.h"
#include "monitor/MonitorWindow.h"
#include "systemview/DetailFrame.h"

void CancelOptionDialogs() {
    CancelDeviceOptions();
    CancelSystemOptions();
}

void CheckAlerts(int32_t level) {
    EndAlert();
    const Alerts alerts = FindAlerts(TheDeviceTree(), level);
    if (alerts.devices.empty()) return;
    ShowMonitor();
    OpenDetailFrame(alerts.devices.front());
    SetAlert(alerts);
}

void CheckAlerts() {
    // Absent means never: only the user's choice opens windows by itself.
    CheckAlerts(Settings::ReadDword("AlertSensitivity", sensitivity::kNever));
}

void HandleTopologyChanging() {
    RepaintTiles();
    RepaintDetailPanes();
    // From here until the change arrives no window may read a record.
    SetWindowsAlive(false);
}

void RebuildDeviceTree() {
    DriverInterface& driver = DriverInterface::Instance();
    DeviceTree& tree = TheDeviceTree();
    tree.Attach(driver.TreeWindow(), driver.RootBlock());
    tree.Rebuild();
    tree.DiscardHandles();
    // Temporary: the history core records the changes.
    static std::optional<history::Snapshot> last;
    history::Snapshot now = history::TakeSnapshot(tree);
    if (last) RecordChanges(history::Compare(*last, now, tree.ChangeCode(), history::Now()));
    last = std::move(now);
}

void HandleTopologyChanged(bytes::Address newRootBlock) {
    SetWindowsAlive(true);
    SetTopologyReady(false);
    DriverInterface::Instance().SetRootBlock(newRootBlock);
    RebuildDeviceTree();
    // Each rebuild paints its window once; a repaint of the tiles or panes would be a second.
    RefreshDetailFrame();
    RebuildMonitor();
    // The node an open dialog edits may be gone.
    CancelOptionDialogs();
    CheckAlerts();
    SetTopologyReady(true);
}

bool ApplyLightSwitch() {
    const bool on = Settings::ShowTransmissionLight();
    if (DeviceNode* system = TheDeviceTree().SystemRecord()) system->SetLightSwitch(on);
    ShowLights(on);
    return on;
}

void SwitchLights(bool on) {
    if (on) {
        DriverInterface::Instance().SetTransmissionLight(true);
        StartActivityTimer();
    } else {
        StopActivityTimer();
        DriverInterface::Instance().SetTransmissionLight(false);
    }
}
