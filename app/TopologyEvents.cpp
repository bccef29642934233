#include "app/TopologyEvents.h"

#include "app/Lifecycle.h"
#include "app/ModelProbe.h"
#include "app/TrayIcon.h"
#include "framework/WindowsAlive.h"
#include "model/Alerts.h"
#include "model/DeviceTree.h"
#include "model/DriverInterface.h"
#include "monitor/MonitorWindow.h"

void InstallTopologyHandlers() {
    DriverInterface::Instance().SetHandlers({&HandleTopologyChanged, &HandleTopologyChanging});
    SetAlertHooks({&SetAlert, &ShowMonitor, {}});
    SetTrayHooks({&ShowMonitor, {}, &SetAlwaysOnTop, {}, &ExitSequence});
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
    RebuildMonitor();
    RepaintTiles();
    RunAlertCheck();
    SetTopologyReady(true);
    WriteModelProbe();
}
