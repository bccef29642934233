#include "app/TopologyEvents.h"

#include "app/ModelProbe.h"
#include "framework/WindowsAlive.h"
#include "model/Alerts.h"
#include "model/DeviceTree.h"
#include "model/DriverInterface.h"

void InstallTopologyHandlers() {
    DriverInterface::Instance().SetHandlers({&HandleTopologyChanged, &HandleTopologyChanging});
}

void HandleTopologyChanging() {
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
    DriverInterface::Instance().SetRootBlock(newRootBlock);
    RebuildDeviceTree();
    RunAlertCheck();
    WriteModelProbe();
}
