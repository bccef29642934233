// The arithmetic behind the element kinds, without a window.
#include <gtest/gtest.h>
#include <vector>
#include "framework/ListGeometry.h"
#include "framework/ScrollGeometry.h"
#include "framework/SplitGeometry.h"

namespace {

// 55-pixel arrows and a 15-pixel thumb in a bar of 175: a track of 50.
constexpr ScrollMetrics kBar{175, 55, 55, 15};

TEST(ScrollGeometry, ThumbTopRoundsDownNeverOverflowsAndNeedsOneTrackPixel) {
    EXPECT_EQ(ThumbTop(kBar, 1, 3), 55 + 16);
    EXPECT_EQ(ThumbTop(kBar, 1000000000, 2000000000), 55 + 25);
    EXPECT_EQ(ThumbTop({126, 55, 55, 15}, 100, 100), 56) << "a track of 1 still shows it";
}

TEST(SplitGeometry, ShortSplitterKeepsTheBarInsideAndFollowingThePointer) {
    // Limits of 20 and 20 cannot both hold in 30: the bar follows the pointer, inside.
    struct Case { int height, position, expected; } cases[] = {{30, 10, 10}, {30, 28, 25}, {30, -3, 0}, {3, 2, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(ClampSplit(c.position, c.height, 20, 20), c.expected) << c.height << " " << c.position;
    EXPECT_EQ(LayoutSplit(20, 0, 10).bottom.height, 0) << "a pane below the splitter's end must not turn negative";
}

TEST(ListGeometry, AnItemIsDrawnOnlyWithItsGapBelowItInside) {
    EXPECT_EQ(FittingItemTops({10, 10, 10}, 26), (std::vector<int>{2, 14}));
    EXPECT_EQ(FittingItemTops({10, 10, 10}, 25), (std::vector<int>{2}));
    EXPECT_EQ(FittingItemTops({10, 50, 5}, 60), (std::vector<int>{2})) << "a small item after one that does not fit";
}

}  // namespace
