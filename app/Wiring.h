#pragma once
#include "app/AppWindow.h"
#include "dialogs/DialogHost.h"
#include "model/DriverInterface.h"
#include "monitor/MonitorHost.h"
#include "systemview/HistoryHost.h"
#include "systemview/SystemViewHost.h"

// How the parts of the program reach each other. The application window, the monitor, the
// system view, the dialogs and the library's callbacks are each handed this object when they
// are made; what each of their requests does is written here and nowhere else.
class Wiring final : public AppWindowHost,
                     public MonitorHost,
                     public SystemViewHost,
                     public DialogHost,
                     public HistoryHost,
                     public TopologyListener {
public:
    // The application window: the system's broadcasts and the tray icon.
    void Resumed() override;
    void DevicesChanged() override;
    void SessionEnding() override;
    bool ReportRequested(HWND self, HWND requester, const COPYDATASTRUCT& request) override;
    void Exit() override;
    bool IsLibraryDown() override;
    void ShowMonitor() override;
    void ShowAbout() override;
    void SetAlwaysOnTop(bool on) override;
    void SetAutoLaunch(bool on) override;

    // The monitor and its tiles.
    void OpenDetails(DeviceNode& node) override;
    bool IsOptionsDialogOpen() override;
    void CloseDetails() override;
    void SetTrayImage(int image) override;

    // The system view's command buttons.
    void ShowHelp(uint32_t topic) override;
    bool RunSystemOptions(HWND owner) override;
    bool RunDeviceOptions(HWND owner, DeviceNode& node) override;
    void OpenUpdatePage() override;
    void RepaintTiles() override;
    void CopyReport(HWND owner) override;
    // The tray menu's and the computer's pane's way to it.
    void ShowHistory() override;

    // The history window.
    const history::Log& HistoryLog() override;
    void ShowInSystemView(DeviceNode& node) override;

    // The dialogs.
    void SetLights(bool on) override;
    void AlertSensitivityChanged(int32_t level) override;
    void LockMainWindows(bool locked) override;
    void OpenMakerWebSite() override;

    // The library.
    void TopologyChanging() override;
    void TopologyChanged(bytes::Address newRootBlock) override;
};
