// Heights in whole tile rows, and keeping the monitoring window on the screen.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "monitor/MonitorGeometry.h"

namespace {

using namespace monitor_geometry;

std::string Str(const Box& b) {
    return std::to_string(b.left) + "," + std::to_string(b.top) + "," + std::to_string(b.right) + "," +
           std::to_string(b.bottom);
}

TEST(MonitorGeometry, DraggedHeightsSnapToWholeRowsOfTheNodes) {
    struct Case { int proposedHeight, nodeCount, height; } cases[] = {
        {105, 5, 77}, {106, 5, 106}, {-40, 5, 77}, {900, 5, 193}, {300, 1, 77}, {300, 0, 77}};
    for (const Case& c : cases)
        EXPECT_EQ(Str(SnapHeight({100, 50, 300, 50 + c.proposedHeight}, c.nodeCount)),
                  Str({100, 50, 285, 50 + c.height})) << c.proposedHeight << " with " << c.nodeCount;
}

// A sizing loop adding each pointer move to the rectangle last answered: small steps still make a row.
TEST(MonitorGeometry, SizingGripFollowsThePointerNotTheSnappedSteps) {
    struct Case { std::vector<int> pointer; int height; bool bottomEdge = true; } cases[] = {
        {{120, 125, 130, 135, 140, 145, 150, 155, 160}, 106}, {{120, 300}, 193},
        {{300, 270, 250}, 77}, {{120, 180}, 135, false}};  // the upper edge: the proposed rectangle
    for (const Case& c : cases) {
        Box rect{100, 50, 285, 127};
        DragTracker drag;
        drag.Begin(rect, {270, c.pointer.front()});
        for (size_t i = 1; i < c.pointer.size(); ++i) {
            rect.bottom += c.pointer[i] - c.pointer[i - 1];
            rect = drag.Sizing(rect, c.bottomEdge, {270, c.pointer[i]}, 5);
        }
        EXPECT_EQ(rect.Height(), c.height) << "drag to " << c.pointer.back();
    }
}

TEST(MonitorGeometry, AWindowHeldAtTheEdgeKeepsItsGripOnThePointer) {
    // Grabbed 40 pixels into the window, the pointer goes 100 pixels past the screen's left
    // edge in 5-pixel steps and comes back.
    Box rect{20, 300, 205, 377};
    DragTracker drag;
    drag.Begin(rect, {60, 320});
    int pointer = 60;
    for (auto [to, left] : {std::pair{-80, 0}, {-20, 0}, {100, 60}}) {  // at -20 still short of its grip
        for (const int step = to > pointer ? 5 : -5; pointer != to; pointer += step) {
            rect = {rect.left + step, rect.top, rect.right + step, rect.bottom};
            rect = drag.Moving(rect, {pointer + step, 320}, 1280, 1024);
        }
        EXPECT_EQ(Str(rect), Str({left, 300, left + 185, 377})) << to;
    }
}

TEST(MonitorGeometry, PlacementsComeBackOnScreenWithTheirSize) {
    struct Case { Box stored, expected; } cases[] = {
        {{-50, 20, 135, 97}, {0, 20, 185, 97}},         {{1200, -30, 1385, 47}, {1095, 0, 1280, 77}},
        {{100, 1000, 285, 1135}, {100, 889, 285, 1024}}, {{400, 300, 585, 377}, {400, 300, 585, 377}}};
    for (const Case& c : cases) {  // a stored placement, and one proposed while moving
        EXPECT_EQ(Str(ClampPlacement(c.stored, 1280, 1024)), Str(c.expected)) << Str(c.stored);
        EXPECT_EQ(Str(KeepInsideWhileMoving(c.stored, 1280, 1024)), Str(c.expected)) << Str(c.stored);
    }
    // After a change of display only the far edges are pulled in.
    EXPECT_EQ(Str(ShiftOntoScreen({1000, 900, 1185, 1006}, 1024, 768)), "839,662,1024,768");
    EXPECT_EQ(Str(ShiftOntoScreen({-20, -20, 165, 57}, 1024, 768)), "-20,-20,165,57");
}

TEST(MonitorGeometry, ExpandingCutsWholeRowsToFit) {
    struct Case { int rows, maximum, height; } cases[] = {{3, 1000, 135}, {30, 918, 918}, {30, 917, 889}, {1, 50, 48}};
    for (const Case& c : cases) EXPECT_EQ(ExpandedHeight(c.rows, c.maximum), c.height) << c.rows << "/" << c.maximum;
}

}  // namespace
