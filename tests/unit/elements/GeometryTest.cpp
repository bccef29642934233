// The arithmetic behind the element kinds, without a window: thumb placement, positions
// from the track, splitter limits and layout, list stacking, centring.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "framework/ElementText.h"
#include "framework/ListGeometry.h"
#include "framework/ScrollGeometry.h"
#include "framework/SplitGeometry.h"

namespace {

// 55-pixel arrows and a 15-pixel thumb in a bar of 175: a track of 50.
constexpr ScrollMetrics kBar{175, 55, 55, 15};

TEST(ScrollGeometry, ThumbPlacement) {
    ASSERT_EQ(kBar.Track(), 50);
    struct Case {
        ScrollMetrics metrics;
        int position, maximum;
        std::optional<int> top;
        const char* why;
    } cases[] = {
        {kBar, 50, 100, 55 + 25, "half way down a track of 50"},
        {kBar, 0, 100, 55, "at the top the thumb touches the up arrow"},
        {kBar, 100, 100, 55 + 50, "at the end it touches the down arrow"},
        {kBar, 1, 3, 55 + 16, "rounded down, not to the nearest"},
        {kBar, 1000000000, 2000000000, 55 + 25, "a huge maximum must not overflow"},
        {kBar, 0, 0, std::nullopt, "nothing to scroll hides the thumb"},
        {kBar, 5, -1, std::nullopt, "a negative maximum hides it too"},
        {{125, 55, 55, 15}, 0, 100, std::nullopt, "a track of 0 hides it"},
        {{126, 55, 55, 15}, 100, 100, 56, "a track of 1 still shows it"},
        {{40, 55, 55, 15}, 3, 10, std::nullopt, "arrows overlapping in a short bar"},
    };
    for (const Case& c : cases) EXPECT_EQ(ThumbTop(c.metrics, c.position, c.maximum), c.top) << c.why;
}

TEST(ScrollGeometry, PositionFromTrackPoint) {
    struct Case {
        int y, maximum;
        std::optional<int> position;
        const char* why;
    } cases[] = {
        {80, 100, 52, "(80 - 55 + 1) * 100 / 50"},
        {54, 100, 0, "the last pixel of the up arrow"},
        {-300, 100, 0, "far above the bar"},
        {104, 100, 100, "the thumb's lowest top"},
        {400, 100, 100, "far below the bar"},
        {80, 0, 0, "nothing to scroll"},
        {80, 3, 1, "(26 * 3) / 50 rounds down"},
    };
    for (const Case& c : cases) EXPECT_EQ(PositionAt(kBar, c.y, c.maximum), c.position) << c.why;
    EXPECT_EQ(PositionAt({125, 55, 55, 15}, 60, 100), std::nullopt) << "no track, no position";
}

TEST(ScrollGeometry, ShortListThumbLandsBackOnItsPosition) {
    // Fewer positions than track pixels: dragging the thumb to where a position draws it
    // must select that very position, or the thumb jumps back by one when let go.
    for (int maximum : {1, 7, 10, 49}) {
        for (int position = 0; position <= maximum; ++position) {
            std::optional<int> top = ThumbTop(kBar, position, maximum);
            ASSERT_TRUE(top.has_value());
            EXPECT_EQ(PositionAt(kBar, *top, maximum), position) << "maximum " << maximum;
        }
    }
}

TEST(SplitGeometry, LimitsOfATallSplitter) {
    struct Case {
        int position, expected;
    } cases[] = {{-40, 20}, {19, 20}, {20, 20}, {100, 100}, {175, 175}, {176, 175}, {900, 175}};
    for (const Case& c : cases) EXPECT_EQ(ClampSplit(c.position, 200, 20, 20), c.expected) << c.position;
    EXPECT_EQ(ClampSplit(100, 200, 0, 190), 5) << "a large bottom minimum pushes the bar up";
}

TEST(SplitGeometry, ShortSplitterKeepsTheBarInsideAndFollowingThePointer) {
    // 30 high with limits 20 and 20: both minimums cannot hold. The bar must stay where the
    // pointer puts it, within the splitter, rather than flip between the two limits.
    struct Case {
        int height, position, expected;
    } cases[] = {{30, 10, 10}, {30, 22, 22}, {30, 28, 25}, {30, -3, 0}, {44, 30, 30}, {3, 2, 0}, {0, 7, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(ClampSplit(c.position, c.height, 20, 20), c.expected) << c.height << " " << c.position;
}

TEST(SplitGeometry, LayoutOfPanesAndBar) {
    SplitLayout layout = LayoutSplit(60, 100, 200);
    EXPECT_EQ((std::vector<int>{layout.top.x, layout.top.y, layout.top.width, layout.top.height}),
              (std::vector<int>{0, 0, 100, 60}));
    EXPECT_EQ((std::vector<int>{layout.bar.x, layout.bar.y, layout.bar.width, layout.bar.height}),
              (std::vector<int>{0, 60, 99, 5}));
    EXPECT_EQ((std::vector<int>{layout.bottom.x, layout.bottom.y, layout.bottom.width, layout.bottom.height}),
              (std::vector<int>{0, 65, 100, 135}));

    SplitLayout squeezed = LayoutSplit(20, 0, 10);
    EXPECT_EQ(squeezed.bottom.height, 0) << "a pane below the splitter's end must not turn negative";
    EXPECT_EQ(squeezed.bar.width, 0);
}

TEST(ListGeometry, ContentHeightAndItemsThatFit) {
    EXPECT_EQ(ListContentHeight({}), 2);
    EXPECT_EQ(ListContentHeight({10, 20}), 2 + 12 + 22);

    struct Case {
        std::vector<int> heights;
        int listHeight;
        std::vector<int> tops;
        const char* why;
    } cases[] = {
        {{10, 10, 10}, 26, {2, 14}, "the second ends with its gap exactly on the bottom"},
        {{10, 10, 10}, 25, {2}, "one pixel less and the second no longer fits"},
        {{10, 50, 5}, 60, {2}, "a small item after one that does not fit is not drawn"},
        {{30}, 20, {}, "nothing fits"},
    };
    for (const Case& c : cases) EXPECT_EQ(FittingItemTops(c.heights, c.listHeight), c.tops) << c.why;

    EXPECT_TRUE(ListNeedsScrollBar(100, 100)) << "content exactly as high as the list";
    EXPECT_FALSE(ListNeedsScrollBar(99, 100));
}

TEST(ElementText, CentreOffsetRoundsDown) {
    struct Case {
        int outer, inner, offset;
    } cases[] = {{57, 21, 18}, {57, 20, 18}, {10, 10, 0}, {10, 12, -1}, {10, 13, -2}, {0, 5, -3}};
    for (const Case& c : cases) EXPECT_EQ(CentreOffset(c.outer, c.inner), c.offset) << c.outer << " " << c.inner;
}

}  // namespace
