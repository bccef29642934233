// Heights in whole tile rows, and keeping the monitoring window on the screen.
#include <gtest/gtest.h>

#include <vector>

#include "monitor/MonitorGeometry.h"

namespace {

using namespace monitor_geometry;

void Shift(Box& r, int dx, int dy) { r = {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

bool Same(const Box& a, const Box& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(MonitorGeometry, DraggedHeightsSnapToWholeRows) {
    struct Case {
        int proposedHeight, nodeCount, height;
    } cases[] = {
        {77, 5, 77},   {105, 5, 77},  {106, 5, 106}, {134, 5, 106}, {135, 5, 135},
        {10, 5, 77},   {-40, 5, 77},  // too small or inverted: one row
        {900, 5, 193},                // never more rows than nodes
        {300, 1, 77},                 // one node: the window cannot grow
        {300, 0, 77},                 // no node at all still leaves one row
    };
    for (const Case& c : cases) {
        Box snapped = SnapHeight({100, 50, 300, 50 + c.proposedHeight}, c.nodeCount);
        EXPECT_EQ(snapped.Height(), c.height) << c.proposedHeight << " with " << c.nodeCount << " nodes";
        EXPECT_EQ(snapped.Width(), kWidth);
        EXPECT_EQ(snapped.top, 50);
        EXPECT_EQ((snapped.Height() - kMinHeight) % kRowHeight, 0);
    }
}

// A sizing loop that adds each pointer move to the rectangle the window last answered,
// as some systems do, for a drag in small steps.
int HeightAfterDrag(const std::vector<int>& pointerYs, int nodeCount, bool bottomEdge = true) {
    Box rect{100, 50, 285, 127};
    DragTracker drag;
    drag.Begin(rect, {270, pointerYs.front()});
    int last = pointerYs.front();
    for (int y : pointerYs) {
        rect.bottom += y - last;
        last = y;
        rect = drag.Sizing(rect, bottomEdge, {270, y}, nodeCount);
    }
    return rect.Height();
}

TEST(MonitorGeometry, GripFollowsThePointerNotTheSnappedSteps) {
    struct Case {
        std::vector<int> pointer;
        int height;
    } cases[] = {
        {{120, 125, 130, 135, 140, 145, 150, 155, 160}, 106},  // +40 in 5-pixel steps: one more row
        {{120, 121, 122, 123, 124, 125, 126, 127, 128, 129, 130, 131, 132, 133, 134, 135, 136, 137, 138,
          139, 140, 141, 142, 143, 144, 145, 146, 147, 148, 149, 150},
         106},                                    // +30 pixel by pixel
        {{120, 300}, 193},                        // far beyond the last of five rows
        {{300, 270, 250}, 77},                    // back above the start: never below one row
        {{120, 150, 120}, 77},                    // out and back again
    };
    for (const Case& c : cases)
        EXPECT_EQ(HeightAfterDrag(c.pointer, 5), c.height) << "drag to " << c.pointer.back();
    // A move of the upper edge is left to the proposed rectangle.
    EXPECT_EQ(HeightAfterDrag({120, 180}, 5, false), 135);
}

TEST(MonitorGeometry, AWindowHeldAtTheEdgeKeepsItsGripOnThePointer) {
    // The same kind of loop for a move: the pointer, grabbed 40 pixels into the window,
    // goes 100 pixels past the left edge of the screen and comes back.
    Box rect{20, 300, 205, 377};
    DragTracker drag;
    drag.Begin(rect, {60, 320});
    int pointer = 60;
    auto dragTo = [&](int to) {  // in 5-pixel steps
        const int step = to > pointer ? 5 : -5;
        while (pointer != to) {
            pointer += step;
            Shift(rect, step, 0);
            rect = drag.Moving(rect, {pointer, 320}, 1280, 1024);
        }
    };
    dragTo(-80);
    EXPECT_EQ(rect.left, 0) << "the window left the screen";
    dragTo(-20);
    EXPECT_EQ(rect.left, 0) << "the window followed before the pointer was back at its grip";
    EXPECT_EQ(rect.Width(), kWidth);
    dragTo(100);
    EXPECT_EQ(rect.left, 60) << "the grip moved within the window";
    EXPECT_EQ(rect.top, 300);
}

TEST(MonitorGeometry, StoredPlacementComesBackOnScreenWithItsSize) {
    struct Case {
        Box stored, expected;
    } cases[] = {
        {{10, 10, 195, 87}, {10, 10, 195, 87}},
        {{-50, 20, 135, 97}, {0, 20, 185, 97}},
        {{1200, 20, 1385, 97}, {1095, 20, 1280, 97}},
        {{100, -30, 285, 47}, {100, 0, 285, 77}},
        {{100, 1000, 285, 1135}, {100, 889, 285, 1024}},
        {{5000, 5000, 5185, 5077}, {1095, 947, 1280, 1024}},
    };
    for (const Case& c : cases) {
        Box clamped = ClampPlacement(c.stored, 1280, 1024);
        EXPECT_TRUE(Same(clamped, c.expected)) << c.stored.left << "," << c.stored.top << " -> " << clamped.left
                                               << "," << clamped.top << "," << clamped.right << "," << clamped.bottom;
    }
}

TEST(MonitorGeometry, DraggedWindowStaysInside) {
    struct Case {
        Box proposed, expected;
    } cases[] = {
        {{-5, 10, 180, 87}, {0, 10, 185, 87}},
        {{1200, 10, 1385, 87}, {1095, 10, 1280, 87}},
        {{10, -8, 195, 69}, {10, 0, 195, 77}},
        {{10, 990, 195, 1067}, {10, 947, 195, 1024}},
        {{400, 300, 585, 377}, {400, 300, 585, 377}},
    };
    for (const Case& c : cases) EXPECT_TRUE(Same(KeepInsideWhileMoving(c.proposed, 1280, 1024), c.expected));
    // After a change of display only the far edges are pulled in.
    EXPECT_TRUE(Same(ShiftOntoScreen({1000, 900, 1185, 1006}, 1024, 768), {839, 662, 1024, 768}));
    EXPECT_TRUE(Same(ShiftOntoScreen({-20, -20, 165, 57}, 1024, 768), {-20, -20, 165, 57}));
}

TEST(MonitorGeometry, ExpandingCutsWholeRowsToFit) {
    struct Case {
        int rows, maximum, height;
    } cases[] = {{3, 1000, 135}, {30, 1000, 918}, {30, 918, 918}, {30, 917, 889}, {1, 50, 48}};
    for (const Case& c : cases) EXPECT_EQ(ExpandedHeight(c.rows, c.maximum), c.height) << c.rows << "/" << c.maximum;
    for (int rows = 1; rows < 40; ++rows) EXPECT_LE(ExpandedHeight(rows, 760), 760);
}

}  // namespace
