#include "app/Wiring.h"

#include "app/HistoryRecorder.h"
#include "app/Launches.h"
#include "app/Lifecycle.h"
#include "app/ReportExchange.h"
#include "app/TopologyEvents.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/DeviceOptionsDialog.h"
#include "dialogs/SystemOptionsDialog.h"
#include "model/DeviceNode.h"
#include "monitor/MonitorWindow.h"
#include "systemview/DetailFrame.h"
#include "systemview/HistoryFrame.h"

// Each answer forwards to a view's, the launches' or the lifecycle's own operation; those are
// named from the global scope, where they live beside these overrides of the same names.

void Wiring::Resumed() { ResumeSequence(); }
void Wiring::DevicesChanged() { RetryRestart(); }
void Wiring::SessionEnding() { WritePlacements(); }
bool Wiring::ReportRequested(HWND self, HWND requester, const COPYDATASTRUCT& request) {
    return AnswerReportRequest(self, requester, request);
}
void Wiring::Exit() { ExitSequence(); }
bool Wiring::IsLibraryDown() { return ::IsLibraryDown(); }
void Wiring::ShowMonitor() { ::ShowMonitor(); }
// The about box always belongs to the monitoring window.
void Wiring::ShowAbout() { RunAboutBox(MonitorHandle(), *this); }
void Wiring::SetAlwaysOnTop(bool on) { ::SetAlwaysOnTop(on); }
void Wiring::SetAutoLaunch(bool on) { on ? CreateStartupShortcuts() : RemoveStartupShortcuts(); }

void Wiring::OpenDetails(DeviceNode& node) { OpenDetailFrame(&node); }
bool Wiring::IsOptionsDialogOpen() { return IsDeviceOptionsOpen() || IsSystemOptionsOpen(); }
void Wiring::CloseDetails() { CloseDetailFrame(); }
void Wiring::SetTrayImage(int image) { ::SetTrayImage(image); }

void Wiring::ShowHelp(uint32_t topic) { ::ShowHelp(topic); }
bool Wiring::RunSystemOptions(HWND owner) { return ::RunSystemOptions(owner, *this) == Dialog::kSaved; }
bool Wiring::RunDeviceOptions(HWND owner, DeviceNode& node) {
    const String name = node.Name();
    if (::RunDeviceOptions(owner, node) != Dialog::kSaved) return false;
    RecordRename(node, name);
    return true;
}
void Wiring::OpenUpdatePage() { ::OpenUpdatePage(); }
void Wiring::RepaintTiles() { ::RepaintTiles(); }
void Wiring::CopyReport(HWND owner) { CopyReportToClipboard(owner); }
void Wiring::ShowHistory() { OpenHistoryWindow(); }

const history::Log& Wiring::HistoryLog() { return TheHistory(); }
void Wiring::ShowInSystemView(DeviceNode& node) { OpenDetailFrame(&node); }

// The switch was just stored: the tiles and the library take it before the lights start or stop.
void Wiring::SetLights(bool on) {
    ApplyLightSwitch();
    SwitchLights(on);
}
void Wiring::AlertSensitivityChanged(int32_t level) { CheckAlerts(level); }
void Wiring::LockMainWindows(bool locked) {
    SetMonitorBlocked(locked);
    SetDetailFrameLocked(locked);
}
void Wiring::OpenMakerWebSite() { ::OpenMakerWebSite(); }

void Wiring::TopologyChanging() { HandleTopologyChanging(); }
void Wiring::TopologyChanged(bytes::Address newRootBlock) { HandleTopologyChanged(newRootBlock); }
