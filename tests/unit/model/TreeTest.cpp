// Item and node maps over a real tree-view window, the walks over the ring, and the alert check.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "model/Alerts.h"
#include "model/DeviceTree.h"
#include "tests/unit/model/SyntheticTopology.h"

namespace {

std::vector<std::string> Keys(const std::vector<DeviceNode*>& records) {
    std::vector<std::string> keys;
    for (DeviceNode* r : records) keys.push_back(r->KeyName().Chars());
    return keys;
}

// computer > root hub "A" > [camera on port 1, an empty port, hub 2 > [disk]]
class TopologyTree : public ::testing::Test {
protected:
    SyntheticTopology topo;
    DeviceTree tree;
    uintptr_t computer = topo.NewNode(0x80), rootHub = topo.NewNode(0x82), camera = topo.NewNode(0x83),
              hub2 = topo.NewNode(0x82), disk = topo.NewNode(0x83);
    uintptr_t systemRec = topo.NewRecord(0x80, "Computer", computer), goneRec = topo.NewRecord(0x83, "gone"),
              cameraRec = topo.NewRecord(0x83, "camera", camera), hub2Rec = topo.NewRecord(0x82, "hub-2", hub2),
              rootHubRec = topo.NewRecord(0x82, "roothub-a", rootHub);
    HTREEITEM pcItem = topo.Insert(nullptr, computer, "PC"), rootHubItem = topo.Insert(pcItem, rootHub, "Root"),
              cameraItem = topo.Insert(rootHubItem, camera, "Cam"), emptyItem = topo.Insert(rootHubItem, 0, "Free"),
              hub2Item = topo.Insert(rootHubItem, hub2, "Hub"), diskItem = topo.Insert(hub2Item, disk, "Disk");

    void SetUp() override {
        topo.SetU16(rootHub, 0x14, 1);
        topo.SetU8(rootHub, 0x21, 1);  // letters
        topo.SetU16(hub2, 0x14, 2);
        topo.SetU8(camera, 0x51, 1);
        // Monitoring order differs from list order, so a walk on the wrong link shows.
        topo.LinkRingA({systemRec, cameraRec, goneRec, rootHubRec, hub2Rec});
        topo.LinkRingB({systemRec, goneRec, hub2Rec, cameraRec, rootHubRec});
        topo.SetRoot(systemRec, cameraRec, pcItem, 150);
        tree.Attach(topo.TreeWindow(), topo.RootBlock());
        tree.Rebuild();
    }
    TopologyItem& Item(HTREEITEM handle) { return *tree.ItemByHandle(handle); }
};

TEST_F(TopologyTree, RebuildIndexesEveryItemByItsNode) {
    struct Case { uintptr_t node; HTREEITEM item; std::string textAndPort; } cases[] = {
        {computer, pcItem, "PC "}, {rootHub, rootHubItem, "Root A"}, {camera, cameraItem, "Cam 1"},
        {hub2, hub2Item, "Hub 2"}, {disk, diskItem, "Disk 0"}};
    for (const Case& c : cases) {
        ASSERT_EQ(tree.ItemByNode(c.node), &Item(c.item)) << c.textAndPort;
        EXPECT_EQ(std::string(Item(c.item).Text().Chars()) + " " + Item(c.item).PortLabel().Chars(), c.textAndPort);
    }
    EXPECT_EQ(Item(emptyItem).Record(), nullptr);
    EXPECT_EQ(tree.ItemCount(), 6u) << "a lookup created another item";
    EXPECT_EQ(Item(diskItem).Parent(), &Item(hub2Item));
    EXPECT_EQ(Item(cameraItem).Record()->Item(), &Item(cameraItem));
}

TEST_F(TopologyTree, RootBlockAndWalksFollowTheirOwnLinks) {
    EXPECT_EQ(tree.LightPeriod(), 150);
    EXPECT_EQ(tree.MonitorStartRecord()->Record(), cameraRec);
    std::vector<DeviceNode*> walkA;
    tree.WalkRing(DeviceTree::Link::A, [&](DeviceNode& r) { walkA.push_back(&r); });
    EXPECT_EQ(Keys(walkA), (std::vector<std::string>{"System", "camera", "gone", "roothub-a", "hub-2"}));
    EXPECT_EQ(Keys(tree.ConnectedHubs()), (std::vector<std::string>{"hub-2", "roothub-a"}));
    EXPECT_EQ(Keys(tree.DisconnectedRecords()), (std::vector<std::string>{"gone"}));
    EXPECT_EQ(tree.SystemRecord()->Record(), systemRec);
    topo.SetRoot(systemRec, systemRec, cameraItem);  // not the control's root item
    tree.Rebuild();
    EXPECT_EQ(tree.ItemCount(), 0u);
}

TEST_F(TopologyTree, AlertsFollowLinkAAndMeetTheThresholdOfTheSensitivity) {
    topo.SetU8(camera, 0x78, 1);
    topo.SetU8(rootHub, 0x30, 4);
    topo.SetU8(hub2, 0x30, 3);  // not serious
    const std::vector<std::string> all{"camera", "roothub-a", "hub-2"};
    struct Case { int32_t sensitivity; std::vector<std::string> listed; int worst; } cases[] = {
        {0, {}, 0}, {-3, {}, 0}, {1, {"roothub-a"}, 4}, {2, all, 4}, {7, all, 4}};
    for (const Case& c : cases) {
        const Alerts found = FindAlerts(tree, c.sensitivity);
        EXPECT_EQ(Keys(found.devices), c.listed) << c.sensitivity;
        EXPECT_EQ(found.worst, c.worst) << c.sensitivity;
    }
}

}  // namespace
