#pragma once
#include <vector>

#include "framework/ItemList.h"
#include "systemview/PaneEntries.h"

// The computer's list of adapters and hubs: over an entry's toggle square the pointer
// folds or unfolds that hub's branch of the system tree, and the tooltip says which.
class HubItemList : public ItemList {
public:
    using ItemList::ItemList;

    void SetHubs(const std::vector<HubEntry*>& hubs);

    void OnLeftButtonDown(POINT* p, UINT keys) override;
    void OnMouseMove(POINT* p, UINT keys) override;

private:
    // The entry under p, with p moved into its coordinates; none between or below entries.
    HubEntry* EntryAt(POINT* p) const;
    std::vector<HubEntry*> hubs_;
};
