#include "app/TopologyEvents.h"

#include "app/Lifecycle.h"
#include "app/TrayIcon.h"
#include "base/Settings.h"
#include "framework/WindowsAlive.h"
#include "model/Alerts.h"
#include "model/DeviceTree.h"
#include "model/DriverInterface.h"
#include "monitor/MonitorHooks.h"
#include "monitor/MonitorWindow.h"

void InstallTopologyHandlers() {
    DriverInterface::Instance().SetHandlers(
        {.topologyChanged = &HandleTopologyChanged, .topologyChanging = &HandleTopologyChanging});
    SetAlertHooks({.setAlert = &SetAlert, .showMonitor = &ShowMonitor});
    SetTrayHooks({.showMonitor = &ShowMonitor, .setAlwaysOnTop = &SetAlwaysOnTop, .exit = &ExitSequence});
    SetMonitorHooks({.exit = &ExitSequence,
                     .resume = &ResumeSequence,
                     .endSession = &WritePlacements,
                     .addTrayIcon = &AddTrayIcon,
                     .setTrayImage = &SetTrayImage,
                     .trayNotify = &OnTrayNotify,
                     .shellRestarted = &RestoreTrayIcon});
}

void CheckAlerts() {
    // Absent means never: only the user's choice opens windows by itself.
    RunAlertCheck(Settings::ReadDword("AlertSensitivity", 0));
}

void HandleTopologyChanging() {
    RepaintTiles();
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
    // The rebuild paints the whole monitor once; a repaint of its tiles would be a second.
    RebuildMonitor();
    CheckAlerts();
    SetTopologyReady(true);
}
