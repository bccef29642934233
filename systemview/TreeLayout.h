#pragma once
#include <vector>

#include "base/Rect.h"

class TopologyItem;
class TreeNodeView;
class TreeViewSet;

// A line from a hub (or the computer) down to the port circle of one of its children.
struct TreeConnector {
    TreeNodeView* parent;
    TreeNodeView* child;
    bool marked;  // on the path of the selected node
};

// Places the views of everything not hidden by a collapsed hub, from the root item down,
// making views as they are first needed. `views` receives them in visiting order and
// `connectors` the lines below the root ports (both emptied first). Returns the box that
// encloses the placed views, all 0 when there are none.
Rect LayOutTree(TreeViewSet& set, TopologyItem* root, std::vector<TreeNodeView*>& views,
                std::vector<TreeConnector>& connectors);
