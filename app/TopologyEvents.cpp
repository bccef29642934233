#include "app/TopologyEvents.h"

#include <optional>
#include <utility>

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

namespace {

// The devices as the last generation showed them; none before the first after start-up.
std::optional<history::Snapshot> g_lastSeen;

}  // namespace

void RecordTopologyChanges() {
    history::Snapshot now = history::TakeSnapshot(TheDeviceTree());
    if (g_lastSeen) RecordChanges(history::Compare(*g_lastSeen, now, TheDeviceTree().ChangeCode(), history::Now()));
    g_lastSeen = std::move(now);
}

void RecordRename(const DeviceNode& node, const String& oldName) {
    if (node.Name() == oldName) return;
    history::Entry entry;
    entry.time = history::Now();
    entry.event = history::Event::Renamed;
    entry.device = history::StateOf(node);
    entry.oldName = oldName.Chars();
    // The next change compares with the new name: the rename is not found a second time.
    if (g_lastSeen) {
        for (history::DeviceState& seen : *g_lastSeen)
            if (seen.key == entry.device.key) seen.name = entry.device.name;
    }
    RecordChanges({std::move(entry)});
}

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
    RecordTopologyChanges();
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
