// The tile list's arithmetic, without a window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "monitor/TileGeometry.h"

using namespace tiles;

TEST(TileGeometry, AColumnOfNTilesFitsExactlyIn29NPlus12) {
    for (int n = 1; n <= 12; ++n) {
        // The heights of the kinds really add up to the column height the rows are fitted to.
        int sum = 0;
        for (int row = 0; row < n; ++row) sum += TileHeight(KindAt(row, n));
        EXPECT_EQ(sum, ColumnHeight(n)) << n;
        EXPECT_EQ(FitRows(29 * n + 12, 50), n) << n;
        EXPECT_EQ(FitRows(29 * n + 12 - 1, 50), std::max(n - 1, 1)) << n;
    }
}

TEST(TileGeometry, FittedRowsStayBetweenOneAndTheNodeCount) {
    struct Case {
        int height, nodes, rows;
    };
    const Case cases[] = {
        {0, 5, 1}, {-40, 5, 1}, {11, 5, 1}, {41, 5, 1}, {70, 5, 2}, {29 * 9 + 12, 5, 5}, {29 * 9 + 12, 0, 0},
        {500, 1, 1},
    };
    for (const Case& c : cases) EXPECT_EQ(FitRows(c.height, c.nodes), c.rows) << c.height << " " << c.nodes;
}

TEST(TileGeometry, FirstVisibleIsPulledBackSoTheLastRowsStayFilled) {
    struct Case {
        int first, visible, nodes, expected;
    };
    const Case cases[] = {
        {3, 2, 10, 3},  // fits: unchanged
        {8, 3, 10, 7},  // one row would hang off the end
        {8, 3, 4, 1},   // fewer nodes after a rebuild
        {2, 0, 0, 0},   // an empty list starts at 0, never below
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClampFirstVisible(c.first, c.visible, c.nodes), c.expected) << c.first << "/" << c.nodes;
}

TEST(TileGeometry, KindsAndContentRowsFollowThePlaceInTheColumn) {
    EXPECT_EQ(KindAt(0, 1), kOnly);
    const std::vector<int> four{KindAt(0, 4), KindAt(1, 4), KindAt(2, 4), KindAt(3, 4)};
    EXPECT_EQ(four, (std::vector<int>{kFirst, kMiddle, kMiddle, kLast}));
    EXPECT_EQ(std::vector<int>({KindAt(0, 2), KindAt(1, 2)}), (std::vector<int>{kFirst, kLast}));
    const int tops[] = {ContentTop(kOnly), ContentTop(kFirst), ContentTop(kMiddle), ContentTop(kLast)};
    EXPECT_EQ(std::vector<int>(tops, tops + 4), (std::vector<int>{11, 11, 5, 5}));
}

TEST(TileGeometry, ReorderTargetsAreTheRowUnderThePointerClampedToTheVisibleRows) {
    // Four visible rows from index 5: first 35, two middles of 29, last 35 pixels high.
    struct Case {
        int y, target;
    };
    const Case cases[] = {
        {-500, 5}, {-1, 5}, {0, 5}, {35, 5},   // above the list and the first row, its edge included
        {36, 6},   {64, 6}, {65, 7}, {93, 7},  // the middle rows
        {94, 8},   {128, 8}, {129, 8}, {900, 8},  // the last row and everything below the list
    };
    for (const Case& c : cases) EXPECT_EQ(ReorderTarget(5, 4, c.y), c.target) << "y " << c.y;
}

TEST(TileGeometry, TooltipAreasKeepTheMarginsOfEachHeight) {
    struct Case {
        const char* what;
        int kind, x, y;
        bool system, light;
        TipArea area;
    };
    const Case cases[] = {
        // A 29-pixel middle tile has the margin 2: rows 0, 1 and 28 explain the tile.
        {"middle y 0", kMiddle, 20, 0, false, true, TipArea::Default},
        {"middle y 1", kMiddle, 20, 1, false, true, TipArea::Default},
        {"middle y 2", kMiddle, 20, 2, false, true, TipArea::Severity},
        {"middle y 27", kMiddle, 20, 27, false, true, TipArea::Severity},
        {"middle y 28", kMiddle, 20, 28, false, true, TipArea::Default},
        // A 41-pixel only tile has the margin 8.
        {"only y 7", kOnly, 40, 7, false, true, TipArea::Default},
        {"only y 8", kOnly, 40, 8, false, true, TipArea::Name},
        {"only y 33", kOnly, 40, 33, false, true, TipArea::Name},
        {"only y 34", kOnly, 40, 34, false, true, TipArea::Default},
        {"left edge", kMiddle, 9, 10, false, true, TipArea::Default},
        {"marker", kMiddle, 31, 10, false, true, TipArea::Severity},
        {"icon", kMiddle, 32, 10, false, true, TipArea::Name},
        {"badge", kMiddle, 64, 10, false, true, TipArea::Port},
        {"below the badge", kMiddle, 80, 20, false, true, TipArea::Default},
        {"first tile badge", kFirst, 80, 26, false, true, TipArea::Port},
        {"first tile over the badge", kFirst, 80, 10, false, true, TipArea::Default},
        {"only tile badge low", kOnly, 80, 30, false, true, TipArea::Port},
        {"light", kMiddle, 108, 10, false, true, TipArea::Light},
        {"light right edge", kMiddle, 121, 10, false, true, TipArea::Light},
        {"past the light", kMiddle, 122, 10, false, true, TipArea::Default},
        {"light switched off", kMiddle, 110, 10, false, false, TipArea::Default},
        // The computer names itself over its icon and nowhere else, margins or not.
        {"system icon", kMiddle, 32, 0, true, true, TipArea::Name},
        {"system icon end", kMiddle, 63, 10, true, true, TipArea::Name},
        {"system marker", kMiddle, 20, 10, true, true, TipArea::Default},
        {"system badge", kMiddle, 64, 10, true, true, TipArea::Default},
        {"system light", kMiddle, 110, 10, true, true, TipArea::Default},
    };
    for (const Case& c : cases) EXPECT_EQ(TooltipArea(c.kind, c.x, c.y, c.system, c.light), c.area) << c.what;
}

TEST(TileGeometry, LightAndBackgroundFramesIncludeThePressedLook) {
    // Status code 0 is light level 4: frame 4, or 10 while pressed; code 4 is frame 0.
    EXPECT_EQ(LightFrame(4, false), 4);
    EXPECT_EQ(LightFrame(4, true), 10);
    EXPECT_EQ(LightFrame(0, false), 0);
    EXPECT_EQ(LightFrame(5, true), 11);
    const int frames[] = {BackgroundFrame(kOnly, false), BackgroundFrame(kOnly, true),
                          BackgroundFrame(kFirst, true), BackgroundFrame(kMiddle, true),
                          BackgroundFrame(kLast, false), BackgroundFrame(kLast, true)};
    EXPECT_EQ(std::vector<int>(frames, frames + 6), (std::vector<int>{0, 1, 1, 1, 2, 3}));
}

TEST(TileGeometry, MovingAnEntryShiftsTheOnesBetweenTowardsTheSource) {
    struct Case {
        int source, target;
        std::string result;
    };
    const Case cases[] = {{1, 3, "acdbe"}, {3, 0, "dabce"}, {2, 2, "abcde"}, {4, 3, "abced"}};
    for (const Case& c : cases) {
        std::string list = "abcde";
        MoveEntry(list, c.source, c.target);
        EXPECT_EQ(list, c.result) << c.source << "->" << c.target;
    }
}
