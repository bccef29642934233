#pragma once
#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <utility>

#include "base/String.h"
#include "base/Bytes.h"

class DeviceTree;
class DeviceNode;

// One item of the library's hidden topology tree: the computer, an adapter, a hub, a
// device or an empty port. Read through the tree-view messages; the text is read once.
class TopologyItem {
public:
    TopologyItem(DeviceTree& tree, HTREEITEM item) : tree_(tree), item_(item) {}
    TopologyItem(const TopologyItem&) = delete;
    TopologyItem& operator=(const TopologyItem&) = delete;

    HTREEITEM Handle() const { return item_; }
    bytes::Address Node() const;  // 0 for an empty port
    String Text() const { return text_; }
    void SetText(String text) { text_ = std::move(text); }

    TopologyItem* Parent() const;
    TopologyItem* FirstChild() const;
    TopologyItem* NextSibling() const;

    int KindIndex() const;  // computer 1, adapter 2, hub 3, device 4, anything else 0
    bool UsesLetters() const;
    DeviceNode* Record() const;
    bool TreeFlag() const;
    String PortLabel() const;
    int TypeCode() const;

    bool Collapsed() const { return collapsed_ != 0; }
    void SetCollapsed(bool collapsed) { collapsed_ = collapsed ? 1 : 0; }

private:
    bool IsRoot() const;
    uint8_t NodeKind() const;
    DeviceTree& tree_;
    HTREEITEM item_;
    String text_;
    uint8_t collapsed_ = 0;
};
