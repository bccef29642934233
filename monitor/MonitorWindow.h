#pragma once
#include <vector>

#include "framework/FrameWindow.h"
#include "framework/PushButton.h"
#include "framework/TooltipWindow.h"
#include "graphics/Region.h"
#include "monitor/DeviceTileList.h"
#include "monitor/MonitorFrame.h"
#include "monitor/MonitorGeometry.h"
#include "monitor/MonitorHost.h"

struct Alerts;
class DeviceTile;

// The compact, always available view: one tile per monitored device in a column that
// snaps to whole rows, a frame that opens while the pointer is over it, and the activity and
// alert timers. There is one for the life of the process.
class MonitorWindow : public FrameWindow {
public:
    static constexpr UINT kActivityTimer = 1125;
    static constexpr UINT kAlertTimer = 1126;
    static constexpr int kScrollUpCommand = 10, kScrollDownCommand = 11;

    explicit MonitorWindow(MonitorHost& host);
    ~MonitorWindow() override;

    void OnCommand(WPARAM wParam) override;
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Layout() override;

    void Rebuild();
    void ShrinkToNodes();
    void KeepOnScreen();
    // The alerting devices' markers blink against the tray image; none ends the alert.
    void SetAlert(const Alerts& alerts);
    DeviceTileList& Tiles() { return tiles_; }
    bool IsOpen() const { return mouseOver_ || GetCapture() == hwnd_; }
    void HideTooltip() { tooltip_.SetText(hwnd_, String()); }

private:
    void CloseWithDetails();
    void Shape();
    void OnScaleChanged() override;
    void LoadOutlines();
    void UpdateScrollButtons();
    void Expand();
    void Collapse();
    void FlashStep();
    void StorePlacement();
    void LeaveOpenState();
    bool PointerOverWindow() const;

    MonitorHost& host_;
    MonitorFrame frame_;
    DeviceTileList tiles_;
    PushButton scrollUp_;
    PushButton scrollDown_;
    TooltipWindow tooltip_;
    bool mouseOver_ = false;
    int rememberedVisible_ = -1;
    // The outline's pieces at 96 DPI (the elements' shapes) and at the window's scale (its
    // region, in pixels).
    struct Outlines {
        Region openTop, openBottom, normalTop, normalBottom;
    };
    Outlines outlines_, scaledOutlines_;
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
// The timer that redraws the lights; its stop draws them once more as they are.
void StartActivityTimer();
void StopActivityTimer();
// Whether the tiles show their lights at all.
void ShowLights(bool on);
void SetAlert(const Alerts& alerts);
void EndAlert();
void SetAlwaysOnTop(bool on);
void DestroyMonitor();
// While the about box is open clicks on the window only beep.
void SetMonitorBlocked(bool blocked);
// The window the program's dialogs belong to; null while there is none.
HWND MonitorHandle();
void SetTopologyReady(bool ready);
