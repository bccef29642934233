#pragma once
#include <vector>

#include "framework/FrameWindow.h"
#include "framework/PushButton.h"
#include "framework/TooltipWindow.h"
#include "graphics/Region.h"
#include "monitor/DeviceTileList.h"
#include "monitor/MonitorFrame.h"
#include "monitor/MonitorGeometry.h"
#include "monitor/TileListHost.h"

class DeviceNode;
class DeviceTile;

// The compact, always available view: one tile per monitored device in a column that
// snaps to whole rows, a frame that opens while the pointer is over it, the activity and
// alert timers, and the tray icon. There is one for the life of the process.
class MonitorWindow : public FrameWindow, public TileListHost {
public:
    static constexpr UINT kActivityTimer = 1125;
    static constexpr UINT kAlertTimer = 1126;
    static constexpr UINT kTrayMessage = 1124;  // the tray icon's id and notification message
    static constexpr int kScrollUpCommand = 10, kScrollDownCommand = 11;

    MonitorWindow();
    ~MonitorWindow() override;

    void OnCommand(WPARAM wParam) override;
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnMessageWhileSilenced(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Layout() override;

    void OpenDetails(DeviceNode& node) override;
    bool IsOptionsDialogOpen() override;

    void Rebuild();
    void ShrinkToNodes();
    void KeepOnScreen();
    void SetAlert(bool on);
    DeviceTileList& Tiles() { return tiles_; }
    bool IsOpen() const { return mouseOver_ || GetCapture() == hwnd_; }
    void HideTooltip() { tooltip_.SetText(hwnd_, String()); }

private:
    // The tray icon's notifications, the system's broadcasts and the request to end: the
    // program's own business, none of which reads a record. False for any other message.
    bool HandleProgramMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Shape();
    void UpdateScrollButtons();
    void Expand();
    void Collapse();
    void FlashStep();
    void StorePlacement();
    void LeaveOpenState();
    bool PointerOverWindow() const;

    MonitorFrame frame_;
    DeviceTileList tiles_;
    PushButton scrollUp_;
    PushButton scrollDown_;
    TooltipWindow tooltip_;
    bool mouseOver_ = false;
    int rememberedVisible_ = -1;
    Region openTop_, openBottom_, normalTop_, normalBottom_;
    monitor_geometry::DragTracker drag_;
    bool alertActive_ = false;
    uint8_t worstSeverity_ = 0;
    std::vector<DeviceTile*> alertingTiles_;
};

// Module operations; each does nothing while the window does not exist.
void LoadMonitorPlacement();
void SaveMonitorPlacement();  // writes it to the settings
void ShowMonitor();
void HideMonitor();
bool IsMonitorVisible();
void RebuildMonitor();
void RepaintTiles();
void StartActivityTimer();
void StopActivityTimer();
void SetAlert(bool on);
void SetAlwaysOnTop(bool on);
void DestroyMonitor();
// While the about box is open clicks on the window only beep.
void SetMonitorBlocked(bool blocked);
// The window the program's dialogs belong to; null while there is none.
HWND MonitorHandle();
void SetTopologyReady(bool ready);
// Reads the "ShowTransmissionLight" switch, hands it to the tiles and stores it in the
// system record where the library looks for it, and hands it back.
bool ApplyLightSwitch();
