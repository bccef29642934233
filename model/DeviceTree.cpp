#include "model/DeviceTree.h"

#include "model/Layout.h"

namespace {
// A ring the library broke must not hang the program: no walk is longer than this.
constexpr int kLongestWalk = 1 << 16;
constexpr int kItemTextChars = 255;
}  // namespace

DeviceTree& TheDeviceTree() {
    static DeviceTree tree;
    return tree;
}

void DeviceTree::Attach(HWND treeWindow, bytes::Address rootBlock) {
    treeWindow_ = treeWindow;
    rootBlock_ = rootBlock;
}

bytes::Address DeviceTree::ReadItemNode(HTREEITEM item) const {
    TVITEMA query{};
    query.mask = TVIF_PARAM;
    query.hItem = item;
    if (!treeWindow_ || !SendMessageA(treeWindow_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query))) return 0;
    return static_cast<bytes::Address>(query.lParam);
}

HTREEITEM DeviceTree::NextItem(HTREEITEM item, UINT relation) const {
    if (!treeWindow_) return nullptr;
    return reinterpret_cast<HTREEITEM>(SendMessageA(treeWindow_, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

TopologyItem* DeviceTree::CreateItem(HTREEITEM handle) {
    auto owned = std::make_unique<TopologyItem>(*this, handle);
    TopologyItem* item = owned.get();
    items_[handle] = std::move(owned);
    if (bytes::Address node = item->Node()) nodes_[node] = item;

    char text[kItemTextChars + 1] = "";
    TVITEMA query{};
    query.mask = TVIF_TEXT;
    query.hItem = handle;
    query.pszText = text;
    query.cchTextMax = kItemTextChars;
    if (SendMessageA(treeWindow_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query))) {
        text[kItemTextChars] = '\0';
        // The control may answer with its own buffer instead of filling ours.
        item->SetText(String(query.pszText ? query.pszText : text));
    }
    return item;
}

TopologyItem* DeviceTree::ItemByHandle(HTREEITEM handle) {
    if (!handle) return nullptr;
    auto found = items_.find(handle);
    return found != items_.end() ? found->second.get() : CreateItem(handle);
}

TopologyItem* DeviceTree::ItemByNode(bytes::Address node) const {
    if (!node) return nullptr;
    auto found = nodes_.find(node);
    return found != nodes_.end() ? found->second : nullptr;
}

DeviceNode* DeviceTree::HandleByRecord(bytes::Address record) {
    if (!record) return nullptr;
    auto& slot = handles_[record];
    if (!slot) slot = std::make_unique<DeviceNode>(*this, record);
    return slot.get();
}

TopologyItem* DeviceTree::RootItem() {
    if (!rootBlock_ || !treeWindow_) return nullptr;
    // The block holds only the low 32 bits of the handle; take the full one from the
    // control and make sure it is the same item.
    HTREEITEM root = NextItem(nullptr, TVGN_ROOT);
    uint32_t published = bytes::ReadU32(rootBlock_, layout::root::kRootItem);
    if (!root || static_cast<uint32_t>(reinterpret_cast<uintptr_t>(root)) != published) return nullptr;
    return ItemByHandle(root);
}

void DeviceTree::Rebuild() {
    nodes_.clear();
    items_.clear();
    TopologyItem* root = RootItem();
    if (!root) return;
    // Depth first: an explicit stack of sibling chains still to visit.
    std::vector<TopologyItem*> pending{root};
    size_t guard = 0;
    while (!pending.empty() && ++guard < kLongestWalk) {
        TopologyItem* item = pending.back();
        pending.pop_back();
        if (TopologyItem* next = item->NextSibling()) pending.push_back(next);
        if (TopologyItem* child = item->FirstChild()) pending.push_back(child);
    }
}

void DeviceTree::DiscardHandles() { handles_.clear(); }

void DeviceTree::Clear() {
    DiscardHandles();
    nodes_.clear();
    items_.clear();
    rootBlock_ = 0;
}

DeviceNode* DeviceTree::EntryRecord() {
    return rootBlock_ ? HandleByRecord(bytes::ReadPtr32(rootBlock_, layout::root::kEntryRecord)) : nullptr;
}

DeviceNode* DeviceTree::MonitorStartRecord() {
    return rootBlock_ ? HandleByRecord(bytes::ReadPtr32(rootBlock_, layout::root::kMonitorStart)) : nullptr;
}

uint8_t DeviceTree::ChangeCode() const { return rootBlock_ ? bytes::ReadU8(rootBlock_, layout::root::kChangeCode) : 0; }

uint16_t DeviceTree::LightPeriod() const {
    return rootBlock_ ? bytes::ReadU16(rootBlock_, layout::root::kLightPeriod) : 0;
}

void DeviceTree::WalkRing(Link link, const std::function<void(DeviceNode&)>& visit) {
    DeviceNode* entry = EntryRecord();
    DeviceNode* record = entry;
    for (int steps = 0; record && steps < kLongestWalk; ++steps) {
        visit(*record);
        record = link == Link::A ? record->NextInMonitorOrder() : record->NextInListOrder();
        if (record == entry) break;
    }
}

DeviceNode* DeviceTree::SystemRecord() {
    DeviceNode* system = nullptr;
    WalkRing(Link::A, [&](DeviceNode& record) {
        if (!system && record.IsSystem()) system = &record;
    });
    return system;
}

std::vector<DeviceNode*> DeviceTree::DisconnectedRecords() {
    std::vector<DeviceNode*> list;
    WalkRing(Link::B, [&](DeviceNode& record) {
        if (!record.IsConnected() && !record.IsSystem()) list.push_back(&record);
    });
    return list;
}

std::vector<DeviceNode*> DeviceTree::ConnectedHubs() {
    std::vector<DeviceNode*> list;
    WalkRing(Link::B, [&](DeviceNode& record) {
        if (record.IsHub() && record.IsConnected()) list.push_back(&record);
    });
    return list;
}
