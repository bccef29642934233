#include "systemview/TreeLayout.h"

#include <algorithm>

#include "model/TopologyItem.h"
#include "systemview/TreeNodeView.h"
#include "systemview/TreeViewSet.h"

namespace {

constexpr int kFirstX = 40;
// Every other sibling sits this much lower, so that wide names and port circles of
// neighbours do not meet.
constexpr int kStagger = 40;
constexpr int kRootPortPitch = 40;

class Placer {
public:
    Placer(TreeViewSet& set, std::vector<TreeNodeView*>& views, std::vector<TreeConnector>& connectors)
        : set_(set), views_(views), connectors_(connectors) {}

    // Lays out the sibling chain from `first` and returns the x after its last member.
    int Chain(TopologyItem* first, TreeNodeView* parent, int x, int depth) {
        // The position in the chain is the item's index among its siblings: counting here
        // spares asking the tree for each item's index.
        int index = 0;
        for (TopologyItem* item = first; item; item = item->NextSibling(), ++index) {
            if (parent && parent->IsCollapsed()) break;
            TreeNodeView* view = set_.FindOrCreate(*item);
            if (view) Place(*item, *view, parent, x, depth, index);
            if (!view || !view->IsCollapsed()) {
                x = Chain(item->FirstChild(), view ? view : parent, x, depth + 1);
                if (view) CentreOverChildren(*view);
            }
            x += view ? view->rect.width : 0;
        }
        return x;
    }

private:
    static int RowTop(int depth, const TreeNodeView* parent) {
        if (depth == 0) return 10;
        if (depth <= 2) return 32;  // the root ports, inside the computer's box
        if (depth == 3 || !parent) return 120;
        return parent->Bottom() + 60;
    }

    void Place(TopologyItem& item, TreeNodeView& view, TreeNodeView* parent, int x, int depth, int index) {
        if (parent && depth > 2) connectors_.push_back({parent, &view, false});
        if (parent && item.TypeCode() == 3) {
            parent->hasSpecialChild = true;
            view.specialLink = true;
        }
        if (!parent && item.TreeFlag()) view.specialLink = true;
        const SIZE size = view.GetSize();
        view.rect = {x, RowTop(depth, parent) + (index % 2 ? kStagger : 0), size.cx, size.cy};
        view.indexInParent = index;
        views_.push_back(&view);
    }

    static void CentreOverChildren(TreeNodeView& view) {
        if (view.Children().empty()) return;
        const Rect& first = view.Children().front()->rect;
        const Rect& last = view.Children().back()->rect;
        view.rect.x = first.x + (last.x + last.width - first.x - view.rect.width) / 2;
    }

    TreeViewSet& set_;
    std::vector<TreeNodeView*>& views_;
    std::vector<TreeConnector>& connectors_;
};

// The computer grows to hold its lettered root hubs side by side, about its own centre.
void PlaceRootPorts(const TreeViewSet& set) {
    TreeNodeView* computer = set.Computer();
    if (!computer) return;
    const auto& hubs = set.LetteredRootHubs();
    const int centre = computer->CentreX();
    computer->rect.width = kRootPortPitch * static_cast<int>(hubs.size()) + 60;
    computer->rect.x = centre - computer->rect.width / 2;
    for (size_t i = 0; i < hubs.size(); ++i) hubs[i]->rect.x = computer->rect.x + 35 + kRootPortPitch * static_cast<int>(i);
}

Rect Enclosing(const std::vector<TreeNodeView*>& views) {
    if (views.empty()) return {};
    int left = views[0]->rect.x, top = views[0]->rect.y, right = left, bottom = top;
    for (const TreeNodeView* view : views) {
        left = std::min(left, view->rect.x);
        top = std::min(top, view->rect.y);
        right = std::max(right, view->rect.x + view->rect.width);
        bottom = std::max(bottom, view->rect.y + view->rect.height);
    }
    return {left, top, right - left, bottom - top};
}

}  // namespace

Rect LayOutTree(TreeViewSet& set, TopologyItem* root, std::vector<TreeNodeView*>& views,
                std::vector<TreeConnector>& connectors) {
    views.clear();
    connectors.clear();
    Placer(set, views, connectors).Chain(root, nullptr, kFirstX, 0);
    PlaceRootPorts(set);
    return Enclosing(views);
}
