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

// The system view: the information pane above the system tree, a split bar between them,
// in a skinned window that the user resizes by its bottom-right grip and maximizes from its
// caption. At most one exists; the module operations below reach it.
class DetailFrame : public FrameWindow, private HubTree {
public:
    explicit DetailFrame(DeviceNode* node);
    ~DetailFrame() override;

    // Shows the node in the pane and the tree; `anew` rebuilds the pane even for the same node.
    void Select(DeviceNode* node, bool anew = false);
    // After the model was rebuilt: the tree anew, and the node shown before if it is still there.
    void RefreshContents();
    void HideTooltip() { tooltip_.SetText(hwnd_, String()); }
    InformationPane& Pane() { return pane_; }
    SystemTree& Tree() { return *tree_; }

    void Layout() override;
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

// Module operations; each does nothing (or answers false or 0) while no frame exists.
void OpenDetailFrame(DeviceNode* node);  // creates the frame if needed, shows the node, brings it forward
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
