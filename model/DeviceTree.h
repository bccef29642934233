#pragma once
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "base/Bytes.h"
#include "model/DeviceNode.h"
#include "model/TopologyItem.h"

// The program's view of what the library publishes: indexes and handles pointing into
// the library's structures, never copies. Rebuilt after every topology change.
class DeviceTree {
public:
    DeviceTree() = default;
    DeviceTree(const DeviceTree&) = delete;
    DeviceTree& operator=(const DeviceTree&) = delete;

    // The tree window the library fills and the current root block (0 when none).
    void Attach(HWND treeWindow, bytes::Address rootBlock);
    HWND TreeWindow() const { return treeWindow_; }
    bytes::Address RootBlock() const { return rootBlock_; }

    // Recreates every item of the topology tree, depth first from the root.
    void Rebuild();
    // Forgets every DeviceNode; handles from before a topology change must not be used.
    void DiscardHandles();
    // Both of the above and the root block forgotten (the library stopped).
    void Clear();

    TopologyItem* ItemByHandle(HTREEITEM item);
    TopologyItem* ItemByNode(bytes::Address node) const;
    DeviceNode* HandleByRecord(bytes::Address record);
    TopologyItem* RootItem();
    size_t ItemCount() const { return items_.size(); }

    DeviceNode* EntryRecord();
    DeviceNode* MonitorStartRecord();
    uint8_t ChangeCode() const;
    uint16_t LightPeriod() const;
    DeviceNode* SystemRecord();
    std::vector<DeviceNode*> DisconnectedRecords();
    std::vector<DeviceNode*> ConnectedHubs();

    enum class Link { A, B };
    // Visits each record once from the entry record along one ring link.
    void WalkRing(Link link, const std::function<void(DeviceNode&)>& visit);

    // Tree-view reads, shared with TopologyItem.
    bytes::Address ReadItemNode(HTREEITEM item) const;
    HTREEITEM NextItem(HTREEITEM item, UINT relation) const;

private:
    TopologyItem* CreateItem(HTREEITEM item);
    HWND treeWindow_ = nullptr;
    bytes::Address rootBlock_ = 0;
    std::map<HTREEITEM, std::unique_ptr<TopologyItem>> items_;
    std::map<bytes::Address, TopologyItem*> nodes_;
    std::map<bytes::Address, std::unique_ptr<DeviceNode>> handles_;
};

// The process-wide model.
DeviceTree& TheDeviceTree();
