#pragma once
#include <memory>
#include <unordered_map>
#include <vector>

#include "systemview/TreeNodeView.h"

class TopologyItem;

// Every view of one model generation, in creation order, with the index from topology items
// to views. Views are made on first need, so a subtree never shown has none yet.
class TreeViewSet {
public:
    TreeNodeView* ViewFor(const TopologyItem* item) const;
    // The item's view, made now if it has none and its kind gets one; a new view joins the
    // children of the nearest ancestor that has a view.
    TreeNodeView* FindOrCreate(TopologyItem& item);

    TreeNodeView* Computer() const { return computer_; }
    const std::vector<TreeNodeView*>& LetteredRootHubs() const { return rootHubs_; }

private:
    std::vector<std::unique_ptr<TreeNodeView>> views_;
    std::unordered_map<const TopologyItem*, TreeNodeView*> index_;
    std::vector<TreeNodeView*> rootHubs_;
    TreeNodeView* computer_ = nullptr;
};
