#include "app/TopologyEvents.h"

#include "app/Launches.h"
#include "app/Lifecycle.h"
#include "app/TrayIcon.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/DeviceOptionsDialog.h"
#include "dialogs/DialogHooks.h"
#include "dialogs/SystemOptionsDialog.h"
#include "base/Settings.h"
#include "framework/WindowsAlive.h"
#include "model/Alerts.h"
#include "model/DeviceTree.h"
#include "model/DriverInterface.h"
#include "monitor/MonitorHooks.h"
#include "monitor/MonitorWindow.h"
#include "systemview/DetailFrame.h"
#include "systemview/SystemViewHooks.h"

namespace {

// The about box always belongs to the monitoring window.
void ShowAbout() { RunAboutBox(MonitorHandle()); }

void LockMainWindows(bool locked) {
    SetMonitorBlocked(locked);
    SetDetailFrameLocked(locked);
}

}  // namespace

void InstallTopologyHandlers() {
    DriverInterface::Instance().SetHandlers(
        {.topologyChanged = &HandleTopologyChanged, .topologyChanging = &HandleTopologyChanging});
    SetAlertHooks({.setAlert = &SetAlert, .showMonitor = &ShowMonitor, .openDetailFrame = &OpenDetailFrame});
    SetTrayHooks({.showMonitor = &ShowMonitor,
                  .showAbout = &ShowAbout,
                  .setAlwaysOnTop = &SetAlwaysOnTop,
                  .setAutoLaunch = [](bool on) { on ? CreateStartupShortcuts() : RemoveStartupShortcuts(); },
                  .exit = &ExitSequence,
                  .libraryDown = &IsLibraryDown});
    SetMonitorHooks({.exit = &ExitSequence,
                     .resume = &ResumeSequence,
                     .deviceChange = &RetryRestart,
                     .libraryDown = &IsLibraryDown,
                     .endSession = &WritePlacements,
                     .addTrayIcon = &AddTrayIcon,
                     .setTrayImage = &SetTrayImage,
                     .trayNotify = &OnTrayNotify,
                     .shellRestarted = &RestoreTrayIcon,
                     .openDetails = [](DeviceNode& node) { OpenDetailFrame(&node); },
                     .closeDetails = &CloseDetailFrame,
                     .isOptionsDialogOpen = [] { return IsDeviceOptionsOpen() || IsSystemOptionsOpen(); }});
    // The light switch was just written: the tiles take it before the timer starts or stops.
    SetDialogHooks({.setAlwaysOnTop = &SetAlwaysOnTop,
                    .startActivityTimer = [] { ApplyLightSwitch(), StartActivityTimer(); },
                    .stopActivityTimer = [] { ApplyLightSwitch(), StopActivityTimer(); },
                    .createStartupShortcuts = &CreateStartupShortcuts,
                    .removeStartupShortcuts = &RemoveStartupShortcuts,
                    .runAlertCheck = &RunAlertCheck,
                    .lockMainWindows = &LockMainWindows,
                    .openMakerWebSite = &OpenMakerWebSite});
    SetSystemViewHooks({.showHelp = &ShowHelp,
                        .runSystemOptions = [](HWND owner) { return RunSystemOptions(owner) == Dialog::kSaved; },
                        .runDeviceOptions = [](HWND owner, DeviceNode& node) {
                            return RunDeviceOptions(owner, node) == Dialog::kSaved;
                        },
                        .showAbout = &ShowAbout,
                        .openUpdatePage = &OpenUpdatePage,
                        .repaintTiles = &RepaintTiles});
}

void CancelOptionDialogs() {
    CancelDeviceOptions();
    CancelSystemOptions();
}

void CheckAlerts() {
    // Absent means never: only the user's choice opens windows by itself.
    RunAlertCheck(Settings::ReadDword("AlertSensitivity", 0));
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
}
