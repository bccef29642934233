// The tile list's arithmetic, without a window.
#include <gtest/gtest.h>
#include <string>
#include "monitor/TileGeometry.h"

using namespace tiles;

TEST(TileGeometry, RowsFitTheHeightKeepTheLastRowsFilledAndTakeTheDraggedTile) {
    struct Case { int height, nodes, rows; } fits[] = {
        {-40, 5, 1}, {70, 5, 2}, {29 * 3 + 12, 5, 3}, {29 * 3 + 11, 5, 2}, {29 * 9 + 12, 5, 5}, {100, 0, 0}};
    for (const Case& c : fits) EXPECT_EQ(FitRows(c.height, c.nodes), c.rows) << c.height << " " << c.nodes;
    struct Clamp { int first, visible, nodes, expected; } clamps[] = {
        {3, 2, 10, 3}, {8, 3, 10, 7}, {8, 3, 4, 1}, {2, 0, 0, 0}, {-1, 3, 10, 0}};
    for (const Clamp& c : clamps) EXPECT_EQ(ClampFirstVisible(c.first, c.visible, c.nodes), c.expected) << c.first;
    // Reorder targets among four visible rows from index 5: 35, 29, 29 and 35 pixels high.
    const int ys[] = {-500, 0, 35, 36, 64, 65, 93, 94, 128, 129, 900};
    std::string targets;
    for (int y : ys) targets += std::to_string(ReorderTarget(5, 4, y));
    EXPECT_EQ(targets, "55566778888") << "a row's lower edge is its own";
}

TEST(TileGeometry, TooltipAreasKeepTheMarginsOfEachHeight) {
    using T = TipArea;
    struct Case { int kind, x, y; bool system, light; TipArea area; } cases[] = {
        {kMiddle, 20, 1, false, true, T::Default},  {kMiddle, 20, 2, false, true, T::Severity},  // margin 2 of 29
        {kMiddle, 20, 27, false, true, T::Severity}, {kMiddle, 20, 28, false, true, T::Default},
        {kMiddle, 9, 10, false, true, T::Default},   {kMiddle, 31, 10, false, true, T::Severity},
        {kMiddle, 32, 10, false, true, T::Name},     {kMiddle, 64, 10, false, true, T::Port},
        {kMiddle, 80, 20, false, true, T::Default},  {kFirst, 80, 26, false, true, T::Port},  // below the badge
        {kFirst, 80, 10, false, true, T::Default},   {kMiddle, 121, 10, false, true, T::Light},
        {kMiddle, 122, 10, false, true, T::Default}, {kMiddle, 110, 10, false, false, T::Default},
        {kMiddle, 32, 0, true, true, T::Name},       {kMiddle, 20, 10, true, true, T::Default},  // the computer
        {kMiddle, 110, 10, true, true, T::Default}};
    for (const Case& c : cases)
        EXPECT_EQ(TooltipArea(c.kind, c.x, c.y, c.system, c.light), c.area) << c.kind << " at " << c.x << "," << c.y;
}

TEST(TileGeometry, FramesIncludeThePressedLookAndMovesShiftTheEntriesBetween) {
    // Status code 0 is light level 4: frame 4, or 10 while pressed; the last tile has its own.
    EXPECT_EQ(std::to_string(LightFrame(4, false)) + " " + std::to_string(LightFrame(4, true)), "4 10");
    std::string frames;
    for (int kind : {kOnly, kFirst, kMiddle, kLast})
        frames += std::to_string(BackgroundFrame(kind, false)) + std::to_string(BackgroundFrame(kind, true));
    EXPECT_EQ(frames, "01010123");
    struct Case { int source, target; std::string result; } cases[] = {
        {1, 3, "acdbe"}, {3, 0, "dabce"}, {2, 2, "abcde"}};
    for (const Case& c : cases) {
        std::string list = "abcde";
        MoveEntry(list, c.source, c.target);
        EXPECT_EQ(list, c.result) << c.source << "->" << c.target;
    }
}
