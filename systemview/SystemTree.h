#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "base/Rect.h"
#include "systemview/PanCanvas.h"
#include "systemview/TreeLayout.h"
#include "systemview/TreeViewSet.h"

class DeviceNode;
class DeviceTree;
class TopologyItem;

// The system view's diagram of the topology: the computer with its lettered root ports,
// hubs and devices below, joined by connectors ending in numbered port circles. Clicking a
// node asks the owner to show it; the path from the selected node up is drawn in orange;
// while nothing is selected, nodes in trouble carry a halo. Hubs collapse and expand.
class SystemTree : public PanCanvas {
public:
    SystemTree(Element* parent, DeviceTree& model, DeviceNode* record);

    // What a node click opens; the owner shows that record in the system view.
    void SetOpenHandler(std::function<void(DeviceNode*)> handler) { open_ = std::move(handler); }
    void Open(DeviceNode* record);

    // New views for the model's current generation; every earlier view is gone after it.
    void Rebuild();
    void SelectRecord(DeviceNode* record);
    TreeNodeView* ViewFor(const TopologyItem* item) const { return set_->ViewFor(item); }
    void ExpandAncestors(TopologyItem& item);
    // Collapses or expands a hub, keeping the computer where it is on screen.
    void ToggleCollapsed(TopologyItem& item);

    TreeNodeView* Selected() const { return selected_; }
    TreeNodeView* ComputerView() const { return set_->Computer(); }
    const std::vector<TreeConnector>& Connectors() const { return connectors_; }
    const Rect& BoundingBox() const { return box_; }

    void DrawSelf(HDC dc) override;
    void UpdateShape() override;

protected:
    void ClampOffset() override;
    void ClickView(TreeNodeView& view, int x, int y) override;

private:
    void LayOut(bool keepRoot);
    void Centre();
    void MarkPath(TreeNodeView* view, bool marked);

    DeviceTree& model_;
    std::unique_ptr<TreeViewSet> set_;
    std::vector<TreeConnector> connectors_;
    Rect box_;
    bool centredOnce_ = false;
    TreeNodeView* selected_ = nullptr;
    std::function<void(DeviceNode*)> open_;
};
