#include "model/TopologyItem.h"

#include "model/DeviceTree.h"
#include "model/FieldText.h"
#include "model/Layout.h"

using bytes::ReadU16;
using bytes::ReadU8;

bytes::Address TopologyItem::Node() const { return tree_.ReadItemNode(item_); }

bool TopologyItem::IsRoot() const { return tree_.RootItem() == this; }

TopologyItem* TopologyItem::Parent() const {
    if (IsRoot()) return nullptr;
    return tree_.ItemByHandle(tree_.NextItem(item_, TVGN_PARENT));
}

TopologyItem* TopologyItem::FirstChild() const { return tree_.ItemByHandle(tree_.NextItem(item_, TVGN_CHILD)); }

TopologyItem* TopologyItem::NextSibling() const {
    if (IsRoot()) return nullptr;
    return tree_.ItemByHandle(tree_.NextItem(item_, TVGN_NEXT));
}

uint8_t TopologyItem::NodeKind() const {
    bytes::Address node = Node();
    return node ? ReadU8(node, layout::node::kKind) : 0;
}

int TopologyItem::KindIndex() const {
    switch (NodeKind()) {
    case layout::kComputer: return 1;
    case layout::kAdapter: return 2;
    case layout::kHub: return 3;
    case layout::kDevice: return 4;
    default: return 0;
    }
}

bool TopologyItem::UsesLetters() const {
    bytes::Address node = Node();
    return node && ReadU8(node, layout::hub::kUsesLetters) != 0;
}

DeviceNode* TopologyItem::Record() const {
    bytes::Address node = Node();
    return node ? tree_.HandleByRecord(bytes::ReadPtr32(node, layout::node::kRecord)) : nullptr;
}

bool TopologyItem::TreeFlag() const {
    bytes::Address node = Node();
    switch (NodeKind()) {
    case layout::kComputer: return true;
    case layout::kAdapter: return ReadU8(node, layout::adapter::kTreeFlag) != 0;
    case layout::kHub: return ReadU8(node, layout::hub::kTreeFlag) != 0;
    case layout::kDevice: return ReadU8(node, layout::device::kTreeFlag) != 0;
    default: return false;
    }
}

String TopologyItem::PortLabel() const {
    bytes::Address node = Node();
    switch (NodeKind()) {
    case layout::kHub: {
        uint16_t number = ReadU16(node, layout::hub::kNumber);
        return UsesLetters() ? field::PortLetter(static_cast<uint8_t>(number)) : String::FromInt(number);
    }
    case layout::kDevice: return String::FromInt(ReadU8(node, layout::device::kPort));
    default: return String();
    }
}

int TopologyItem::TypeCode() const {
    bytes::Address node = Node();
    switch (NodeKind()) {
    case layout::kHub: return ReadU8(node, layout::hub::kTypeCode);
    case layout::kDevice: return ReadU8(node, layout::device::kTypeCode);
    default: return 0;
    }
}
