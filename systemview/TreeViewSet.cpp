#include "systemview/TreeViewSet.h"

#include "model/TopologyItem.h"
#include "systemview/TreeNodeViews.h"

TreeNodeView* TreeViewSet::ViewFor(const TopologyItem* item) const {
    auto found = index_.find(item);
    return found != index_.end() ? found->second : nullptr;
}

TreeNodeView* TreeViewSet::FindOrCreate(TopologyItem& item) {
    if (TreeNodeView* existing = ViewFor(&item)) return existing;
    std::unique_ptr<TreeNodeView> made = MakeTreeNodeView(item);
    if (!made) return nullptr;
    TreeNodeView* view = made.get();
    views_.push_back(std::move(made));
    index_[&item] = view;
    const int kind = item.KindIndex();
    if (kind == 1) computer_ = view;
    if (kind == 3 && item.UsesLetters()) rootHubs_.push_back(view);
    for (TopologyItem* up = item.Parent(); up; up = up->Parent()) {
        if (TreeNodeView* owner = ViewFor(up)) {
            owner->AddChild(view);
            break;
        }
    }
    return view;
}
