// The tile list as the monitor window uses it: rebuilt from the monitoring order, rows
// fitted, dragged to reorder (with the driver told), clicked, and rebuilt under a drag.
#include <gtest/gtest.h>

#include "framework/RootElement.h"
#include "monitor/TileGeometry.h"
#include "tests/unit/monitor/TileListFixture.h"

namespace monitor_test {
namespace {

using elements_test::At;

const std::vector<DeviceSpec> kFive{
    {"mouse", 0, 0, 0, 1, 1},    {"disk", 1, 2, 1, 2, 3},   {"camera", 2, 4, 2, 3, 1},
    {"printer", 3, 1, 3, 4, 2},  {"keys", 4, 3, 0, 12, 4},
};

TEST_F(TileListTest, RebuildShowsTheSystemAndConnectedDevicesInRingOrder) {
    std::vector<DeviceSpec> devices = kFive;
    devices[2].connected = false;
    Build(devices);
    EXPECT_EQ(ShownRecords(), (std::vector<uintptr_t>{Record(0), Record(1), Record(2), Record(4), Record(5)}));
    EXPECT_EQ(list.TileForNode(tree.HandleByRecord(Record(4))), list.TileAt(3));
    EXPECT_EQ(list.TileForNode(tree.HandleByRecord(Record(3))), nullptr);  // not connected
    EXPECT_EQ(list.IndexOfTile(list.TileAt(2)), 2);
}

TEST_F(TileListTest, RowsFitTheHeightAndTheFirstVisibleFollowsAShrinkingList) {
    Build(kFive);
    ShowRows(3);
    EXPECT_EQ(list.VisibleCount(), 3);
    list.SetSize(tiles::kWidth, tiles::ColumnHeight(3) - 1);
    EXPECT_EQ(list.VisibleCount(), 2);
    // Heights of the shown tiles follow their kinds and stack without gaps.
    EXPECT_EQ(list.TileAt(0)->Height(), 35);
    EXPECT_EQ(list.TileAt(1)->Y(), 35);
    EXPECT_FALSE(list.TileAt(2)->IsVisible());

    ShowRows(3);
    EXPECT_TRUE(list.ScrollDown());
    EXPECT_TRUE(list.ScrollDown());
    EXPECT_TRUE(list.ScrollDown());
    EXPECT_FALSE(list.ScrollDown());  // rows 3 to 5 of six shown
    EXPECT_EQ(list.FirstVisible(), 3);
    EXPECT_TRUE(list.CanScrollUp());

    // A rebuild with fewer nodes pulls the window back so that the last rows stay filled.
    Build({kFive[0], kFive[1], kFive[2]});
    EXPECT_EQ(list.FirstVisible(), 1);
    EXPECT_EQ(list.VisibleCount(), 3);
    EXPECT_FALSE(list.CanScrollDown());

    Build({});
    EXPECT_EQ(list.NodeCount(), 1);  // the system record alone
    EXPECT_EQ(list.VisibleCount(), 1);
    EXPECT_EQ(list.TileAt(0)->PositionKind(), tiles::kOnly);
    EXPECT_EQ(list.TileAt(0)->Height(), 41);
}

TEST_F(TileListTest, DraggingAboveAndBelowTheListMovesToTheEndRowsAndTellsTheDriver) {
    Build(kFive);
    ShowRows(4);
    ASSERT_TRUE(list.ScrollDown());  // rows show indexes 1 to 4
    const std::vector<uintptr_t> before = ShownRecords();

    // The second shown row dragged far above the list lands on the first shown row.
    POINT p = RowCentre(1);
    host.Down(p.x, p.y);
    host.Move(p.x, -200);
    EXPECT_EQ(ShownRecords()[1], before[2]);
    EXPECT_EQ(ShownRecords()[2], before[1]);
    EXPECT_EQ(moves, (std::vector<Move>{{true, 1, before[2]}}));
    host.Up(p.x, -200);
    EXPECT_TRUE(detail.opened.empty());  // a drag never opens the details

    // The first shown row dragged below the list lands on the last shown row, never beyond.
    moves.clear();
    const std::vector<uintptr_t> middle = ShownRecords();
    p = RowCentre(0);
    host.Down(p.x, p.y);
    host.Move(p.x, 900);
    EXPECT_EQ(ShownRecords()[4], middle[1]);
    EXPECT_EQ(ShownRecords()[5], middle[5]);
    EXPECT_EQ(moves, (std::vector<Move>{{false, 3, middle[1]}}));
    host.Up(p.x, 900);
    EXPECT_TRUE(detail.opened.empty());
}

TEST_F(TileListTest, TwoRowsUpIsOneMoveOfTwoAndOwnRowIsNoMove) {
    Build(kFive);
    ShowRows(5);
    const std::vector<uintptr_t> before = ShownRecords();
    POINT p = RowCentre(3);
    host.Down(p.x, p.y);
    // Off the tile to the side but within its own row: no reorder, no driver call.
    host.Move(kListX + tiles::kWidth + 5, p.y);
    EXPECT_TRUE(moves.empty());
    EXPECT_EQ(ShownRecords(), before);
    const POINT to = RowCentre(1);
    host.Move(p.x, to.y);
    EXPECT_EQ(moves, (std::vector<Move>{{true, 2, before[3]}}));
    EXPECT_EQ(list.TileAt(1)->Node().Record(), before[3]);
    // The dragged tile now lies under the pointer and is still the pressed one.
    EXPECT_TRUE(list.TileAt(1)->IsPressedInside());
    host.Up(to.x, to.y);
    EXPECT_TRUE(detail.opened.empty());
}

TEST_F(TileListTest, AClickOpensTheDetailsAndARefusedOrSingleRowPressDoesNotReorder) {
    Build(kFive);
    ShowRows(3);
    POINT p = RowCentre(2);
    host.Down(p.x, p.y);
    host.Up(p.x, p.y);
    EXPECT_EQ(detail.opened, (std::vector<uintptr_t>{Record(2)}));

    // While an options dialog is open a press is refused: no capture, no click.
    detail.optionsOpen = true;
    host.Down(p.x, p.y);
    EXPECT_EQ(host.root.Captured(), nullptr);
    host.Up(p.x, p.y);
    EXPECT_EQ(detail.opened.size(), 1u);
    detail.optionsOpen = false;

    // With a single row nothing can be reordered.
    ShowRows(1);
    const std::vector<uintptr_t> before = ShownRecords();
    p = RowCentre(0);
    host.Down(p.x, p.y);
    host.Move(p.x, 900);
    host.Up(p.x, 900);
    EXPECT_EQ(ShownRecords(), before);
    EXPECT_TRUE(moves.empty());
}

TEST_F(TileListTest, ATopologyChangeDuringADragEndsItWithNoStaleTileInUse) {
    Build(kFive);
    ShowRows(4);
    const POINT p = RowCentre(1);
    host.Down(p.x, p.y);
    host.Move(p.x, RowCentre(2).y);
    ASSERT_EQ(moves.size(), 1u);
    ASSERT_NE(host.root.Captured(), nullptr);

    // The library rewrites its records: the old tiles and handles go, and so does the drag.
    Build({kFive[3], kFive[4], kFive[0]});
    EXPECT_EQ(host.root.Captured(), nullptr);
    for (int i = 0; i < list.NodeCount(); ++i) {
        EXPECT_FALSE(list.TileAt(i)->IsPressed()) << i;
        EXPECT_EQ(&list.TileAt(i)->Node(), tree.HandleByRecord(Record(i))) << i;
    }
    // The rest of the gesture reaches fresh tiles that were never pressed: nothing happens.
    host.Move(p.x, RowCentre(0).y);
    host.Up(p.x, RowCentre(0).y);
    EXPECT_EQ(moves.size(), 1u);
    EXPECT_TRUE(detail.opened.empty());
}

}  // namespace
}  // namespace monitor_test
