#pragma once

class TopologyItem;

// What the information pane's hub entries ask of the system tree: whether a hub's branch
// is folded, and to fold or unfold it (its folded ancestors opened first, the tree laid
// out again and redrawn).
class HubTree {
public:
    virtual ~HubTree() = default;
    virtual bool IsHubCollapsed(const TopologyItem& hub) = 0;
    virtual void ToggleHub(TopologyItem& hub) = 0;
};
