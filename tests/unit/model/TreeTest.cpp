// The item and node maps over a real tree-view window, and the walks over the ring.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/DeviceTree.h"
#include "tests/unit/model/SyntheticTopology.h"

namespace {

std::string S(const String& text) { return text.Chars(); }

// computer > adapter > root hub "A" > [port 1: camera, port 2: empty, port 3: hub 2 > [port 1: disk]]
class TopologyTree : public ::testing::Test {
protected:
    SyntheticTopology topo;
    DeviceTree tree;
    uintptr_t computer = topo.NewNode(0x80), adapter = topo.NewNode(0x81), rootHub = topo.NewNode(0x82),
              camera = topo.NewNode(0x83), hub2 = topo.NewNode(0x82), disk = topo.NewNode(0x83);
    uintptr_t systemRec = topo.NewRecord(0x80, "Computer"), rootHubRec = topo.NewRecord(0x82, "roothub-a"),
              cameraRec = topo.NewRecord(0x83, "camera"), hub2Rec = topo.NewRecord(0x82, "hub-2"),
              diskRec = topo.NewRecord(0x83, "disk"), goneRec = topo.NewRecord(0x83, "gone");
    HTREEITEM computerItem{}, adapterItem{}, rootHubItem{}, cameraItem{}, emptyItem{}, hub2Item{}, diskItem{};

    void SetUp() override {
        ASSERT_NE(topo.TreeWindow(), nullptr);
        topo.Connect(systemRec, computer);
        topo.Connect(rootHubRec, rootHub);
        topo.Connect(cameraRec, camera);
        topo.Connect(hub2Rec, hub2);
        topo.Connect(diskRec, disk);
        topo.SetU16(rootHub, 0x14, 1);
        topo.SetU8(rootHub, 0x21, 1);
        topo.SetU16(hub2, 0x14, 2);
        topo.SetU8(camera, 0x51, 1);
        topo.SetU8(disk, 0x51, 1);

        computerItem = topo.Insert(nullptr, computer, "WORKSTATION");
        adapterItem = topo.Insert(computerItem, adapter, "Adapter");
        rootHubItem = topo.Insert(adapterItem, rootHub, "Root hub");
        cameraItem = topo.Insert(rootHubItem, camera, "Camera");
        emptyItem = topo.Insert(rootHubItem, 0, "Available");
        hub2Item = topo.Insert(rootHubItem, hub2, "Hub");
        diskItem = topo.Insert(hub2Item, disk, "Disk");

        // Monitoring order differs from list order, so a walk on the wrong link shows.
        topo.LinkRingA({systemRec, diskRec, cameraRec, goneRec, rootHubRec, hub2Rec});
        topo.LinkRingB({systemRec, goneRec, hub2Rec, cameraRec, rootHubRec, diskRec});
        topo.SetRoot(systemRec, cameraRec, computerItem, 150, 2);
        tree.Attach(topo.TreeWindow(), topo.RootBlock());
        tree.Rebuild();
    }

    TopologyItem& Item(HTREEITEM handle) { return *tree.ItemByHandle(handle); }
};

TEST_F(TopologyTree, RebuildCreatesEveryItemAndIndexesItsNode) {
    EXPECT_EQ(tree.ItemCount(), 7u);
    struct Case {
        uintptr_t node;
        HTREEITEM item;
        const char* text;
        int kindIndex;
    } cases[] = {{computer, computerItem, "WORKSTATION", 1}, {adapter, adapterItem, "Adapter", 2},
                 {rootHub, rootHubItem, "Root hub", 3},      {camera, cameraItem, "Camera", 4},
                 {hub2, hub2Item, "Hub", 3},                 {disk, diskItem, "Disk", 4}};
    for (const Case& c : cases) {
        TopologyItem* item = tree.ItemByNode(c.node);
        ASSERT_NE(item, nullptr) << c.text;
        EXPECT_EQ(item->Handle(), c.item);
        EXPECT_EQ(S(item->Text()), c.text);
        EXPECT_EQ(item->KindIndex(), c.kindIndex) << c.text;
    }
    TopologyItem& empty = Item(emptyItem);
    EXPECT_EQ(empty.Node(), 0u);
    EXPECT_EQ(empty.KindIndex(), 0);
    EXPECT_EQ(empty.Record(), nullptr);
    EXPECT_EQ(S(empty.Text()), "Available");
    EXPECT_EQ(tree.ItemByNode(0), nullptr);
    EXPECT_EQ(tree.ItemCount(), 7u) << "asking for an indexed item created another";
}

TEST_F(TopologyTree, NavigationAndPlaceAmongSiblings) {
    TopologyItem* root = tree.RootItem();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->Handle(), computerItem);
    EXPECT_EQ(root->Parent(), nullptr);
    EXPECT_EQ(root->NextSibling(), nullptr);
    EXPECT_EQ(root->IndexInParent(), 0);
    EXPECT_EQ(root->FirstChild(), &Item(adapterItem));

    EXPECT_EQ(Item(cameraItem).IndexInParent(), 0);
    EXPECT_EQ(Item(emptyItem).IndexInParent(), 1);
    EXPECT_EQ(Item(hub2Item).IndexInParent(), 2);
    EXPECT_EQ(Item(diskItem).IndexInParent(), 0);
    EXPECT_EQ(Item(diskItem).Parent(), &Item(hub2Item));
    EXPECT_EQ(Item(hub2Item).NextSibling(), nullptr);
    EXPECT_EQ(Item(cameraItem).FirstChild(), nullptr);
}

TEST_F(TopologyTree, PortLabelsTypeCodesAndTreeFlags) {
    EXPECT_EQ(S(Item(rootHubItem).PortLabel()), "A");
    EXPECT_TRUE(Item(rootHubItem).UsesLetters());
    EXPECT_EQ(S(Item(hub2Item).PortLabel()), "2");
    EXPECT_FALSE(Item(hub2Item).UsesLetters());
    topo.SetU8(hub2, 0x21, 1);
    EXPECT_EQ(S(Item(hub2Item).PortLabel()), "B");
    EXPECT_EQ(S(Item(cameraItem).PortLabel()), "1");

    topo.SetU8(hub2, 0x26, 7);
    topo.SetU8(camera, 0x52, 12);
    EXPECT_EQ(Item(hub2Item).TypeCode(), 7);
    EXPECT_EQ(Item(cameraItem).TypeCode(), 12);
    EXPECT_EQ(Item(computerItem).TypeCode(), 0);

    struct Case {
        HTREEITEM item;
        uintptr_t node;
        uint32_t offset;
    } flags[] = {{adapterItem, adapter, 0x1C}, {hub2Item, hub2, 0x23}, {cameraItem, camera, 0x4B}};
    for (const Case& c : flags) {
        EXPECT_FALSE(Item(c.item).TreeFlag());
        topo.SetU8(c.node, c.offset, 1);
        EXPECT_TRUE(Item(c.item).TreeFlag()) << "offset " << c.offset;
    }
    EXPECT_TRUE(Item(computerItem).TreeFlag());
}

TEST_F(TopologyTree, ItemsAndRecordsFindEachOther) {
    DeviceNode* cam = Item(cameraItem).Record();
    ASSERT_NE(cam, nullptr);
    EXPECT_EQ(cam->Record(), cameraRec);
    EXPECT_EQ(cam->Item(), &Item(cameraItem));
    EXPECT_EQ(Item(adapterItem).Record(), nullptr) << "adapters have no records";
}

TEST_F(TopologyTree, ItemTextIsReadOnce) {
    TVITEMA change{};
    change.mask = TVIF_TEXT;
    change.hItem = cameraItem;
    change.pszText = const_cast<char*>("Renamed");
    SendMessageA(topo.TreeWindow(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
    EXPECT_EQ(S(Item(cameraItem).Text()), "Camera");
    tree.Rebuild();
    EXPECT_EQ(S(Item(cameraItem).Text()), "Renamed");
}

TEST_F(TopologyTree, RootBlockFields) {
    EXPECT_EQ(tree.LightPeriod(), 150);
    EXPECT_EQ(tree.ChangeCode(), 2);
    EXPECT_EQ(tree.EntryRecord()->Record(), systemRec);
    EXPECT_EQ(tree.MonitorStartRecord()->Record(), cameraRec);
}

TEST_F(TopologyTree, WalksFollowTheirOwnLink) {
    auto keys = [](const std::vector<DeviceNode*>& records) {
        std::vector<std::string> out;
        for (DeviceNode* r : records) out.push_back(r->KeyName().Chars());
        return out;
    };
    std::vector<std::string> walkA;
    tree.WalkRing(DeviceTree::Link::A, [&](DeviceNode& r) { walkA.push_back(r.KeyName().Chars()); });
    EXPECT_EQ(walkA, (std::vector<std::string>{"System", "disk", "camera", "gone", "roothub-a", "hub-2"}));
    EXPECT_EQ(keys(tree.ConnectedHubs()), (std::vector<std::string>{"hub-2", "roothub-a"}));
    EXPECT_EQ(keys(tree.DisconnectedRecords()), (std::vector<std::string>{"gone"}));
    EXPECT_EQ(tree.SystemRecord()->Record(), systemRec);
}

TEST_F(TopologyTree, ForeignRootHandleGivesNoTree) {
    topo.SetRoot(systemRec, systemRec, cameraItem);  // not the control's root item
    tree.Rebuild();
    EXPECT_EQ(tree.RootItem(), nullptr);
    EXPECT_EQ(tree.ItemCount(), 0u);
}

class SmallRings : public ::testing::Test {
protected:
    SyntheticTopology topo;
    DeviceTree tree;
};

TEST_F(SmallRings, RingOfOnlyTheSystemRecord) {
    uintptr_t computer = topo.NewNode(0x80), system = topo.NewRecord(0x80, "Computer");
    topo.Connect(system, computer);
    topo.LinkRingA({system});
    topo.LinkRingB({system});
    HTREEITEM root = topo.Insert(nullptr, computer, "PC");
    topo.SetRoot(system, system, root);
    tree.Attach(topo.TreeWindow(), topo.RootBlock());
    tree.Rebuild();

    EXPECT_EQ(tree.ItemCount(), 1u);
    int visits = 0;
    tree.WalkRing(DeviceTree::Link::A, [&](DeviceNode&) { ++visits; });
    tree.WalkRing(DeviceTree::Link::B, [&](DeviceNode&) { ++visits; });
    EXPECT_EQ(visits, 2);
    EXPECT_NE(tree.SystemRecord(), nullptr);
    EXPECT_TRUE(tree.DisconnectedRecords().empty());
    EXPECT_TRUE(tree.ConnectedHubs().empty());
}

TEST_F(SmallRings, RingWithoutSystemRecordAndBrokenRingsEnd) {
    uintptr_t a = topo.NewRecord(0x83, "a"), b = topo.NewRecord(0x83, "b");
    topo.LinkRingA({a, b});
    topo.SetU32(b, 0x2C8, static_cast<uint32_t>(b));  // link B never returns to the entry
    topo.SetU32(a, 0x2C8, static_cast<uint32_t>(b));
    topo.SetRoot(a, a, nullptr);
    tree.Attach(topo.TreeWindow(), topo.RootBlock());
    EXPECT_EQ(tree.SystemRecord(), nullptr);
    size_t visits = 0;
    tree.WalkRing(DeviceTree::Link::B, [&](DeviceNode&) { ++visits; });
    EXPECT_GT(visits, 2u);
    EXPECT_LE(visits, 65536u) << "a broken ring must not be walked forever";
}

TEST_F(SmallRings, NoRootBlockMeansNoRecords) {
    tree.Attach(topo.TreeWindow(), 0);
    EXPECT_EQ(tree.EntryRecord(), nullptr);
    EXPECT_EQ(tree.SystemRecord(), nullptr);
    EXPECT_EQ(tree.RootItem(), nullptr);
    EXPECT_TRUE(tree.DisconnectedRecords().empty());
}

}  // namespace
