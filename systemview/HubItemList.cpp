#include "systemview/HubItemList.h"

#include <algorithm>

#include "framework/ListGeometry.h"
#include "framework/SharedLook.h"

void HubItemList::SetHubs(const std::vector<HubEntry*>& hubs) {
    hubs_ = hubs;
    SetItems(std::vector<ListItem*>(hubs.begin(), hubs.end()));
}

HubEntry* HubItemList::EntryAt(POINT* p) const {
    int top = kListItemGap;
    for (size_t i = static_cast<size_t>(std::max(Scroll().GetPosition(), 0)); i < hubs_.size(); ++i) {
        SIZE size{};
        hubs_[i]->Measure(&size, width_);
        if (p->y >= top && p->y < top + size.cy) {
            *p = {p->x - kListItemIndent, p->y - top};
            return hubs_[i];
        }
        top += size.cy + kListItemGap;
    }
    return nullptr;
}

void HubItemList::OnLeftButtonDown(POINT* p, UINT keys) {
    POINT at = *p;
    HubEntry* entry = EntryAt(&at);
    if (!entry || !HubEntry::InToggle(at)) return ItemList::OnLeftButtonDown(p, keys);
    entry->Toggle();
    Redraw();
}

void HubItemList::OnMouseMove(POINT* p, UINT keys) {
    POINT at = *p;
    HubEntry* entry = EntryAt(&at);
    SetTooltip(entry ? entry->Tooltip(at) : String());
    if (entry && HubEntry::InToggle(at)) {
        SetCursor(GetSharedCursor(SharedCursor::Pointer));
        return;
    }
    ItemList::OnMouseMove(p, keys);
}
