#pragma once
#include <memory>

#include "framework/FrameChrome.h"
#include "framework/FrameWindow.h"
#include "framework/Splitter.h"
#include "framework/TooltipWindow.h"
#include "systemview/HubTree.h"
#include "systemview/InformationPane.h"

class DeviceNode;
class SystemTree;
class SystemViewHost;

// The system view: the information pane above the system tree, a split bar between them,
// in a skinned window that the user resizes by its bottom-right grip and maximizes from its
// caption. At most one exists, which a SystemView owns; the module operations below reach it.
class DetailFrame : public FrameWindow, private HubTree {
public:
    DetailFrame(DeviceNode* node, SystemViewHost& host);
    ~DetailFrame() override;

    // Shows the node in the pane and the tree; `anew` rebuilds the pane even for the same node.
    void Select(DeviceNode* node, bool anew = false);
    // After the model was rebuilt: the tree anew, and the node shown before if it is still there.
    void RefreshContents();
    void HideTooltip() { tooltip_.SetText(hwnd_, String()); }
    InformationPane& Pane() { return pane_; }
    SystemTree& Tree() { return *tree_; }

    void Layout() override;
    void OnScaleChanged() override;
    void OnCommand(WPARAM wParam) override;
    void OnDestroy() override;
    LRESULT OnActivate(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnLeftButtonDown(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnLeftButtonUp(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool IsHubCollapsed(const TopologyItem& hub) override;
    void ToggleHub(TopologyItem& hub) override;
    void Maximize();
    void Restore();
    void FillWorkArea();
    void FitIntoWorkArea();
    void StorePlacement();
    void ResizeByGrip(POINT pointer);

    TooltipWindow tooltip_;
    FrameChrome chrome_;
    InformationPane pane_;
    Splitter splitter_;
    std::unique_ptr<SystemTree> tree_;
    bool maximized_ = false;
    bool resizing_ = false;
    POINT gripOffset_{};
};

// The owner of the detail frame: it makes the frame when the view is opened and lets it go
// when the view is closed. One lives as long as the monitor; the module operations reach it.
class SystemView {
public:
    explicit SystemView(SystemViewHost& host);
    ~SystemView();
    SystemView(const SystemView&) = delete;
    SystemView& operator=(const SystemView&) = delete;

    // Creates the frame if needed, shows the node, brings it forward.
    void Open(DeviceNode* node);
    void Close();

private:
    SystemViewHost& host_;
    std::unique_ptr<DetailFrame> frame_;
};

// Module operations; each does nothing (or answers false or 0) while no frame exists.
void OpenDetailFrame(DeviceNode* node);
void CloseDetailFrame();
void ShowDetailFrame(bool show);
bool IsDetailFrameVisible();
void RefreshDetailFrame();
void RepaintDetailPanes();
void SetDetailFrameLocked(bool locked);
void LoadDetailFramePlacement();
void SaveDetailFramePlacement();
int DetailPaneCompactHeight();
int DetailPaneFullHeight();
