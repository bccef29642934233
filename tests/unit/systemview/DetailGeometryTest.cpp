// The system view's placement and split-bar arithmetic.
#include <gtest/gtest.h>
#include "systemview/DetailGeometry.h"
#include "systemview/SplitSnapPolicy.h"

namespace {

namespace geo = detail_geometry;

bool Same(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(DetailGeometry, StoredPlacementsComeBackOnTheScreenWithoutShrinking) {
    const struct {
        RECT stored, expected;
    } cases[] = {
        {{-20, 30, 580, 510}, {0, 30, 600, 510}},        // off the left
        {{500, 30, 1100, 510}, {200, 30, 800, 510}},     // off the right of an 800-pixel screen
        {{150, -50, 750, 430}, {150, 0, 750, 480}},      // off the top
        {{150, 300, 750, 780}, {150, 120, 750, 600}},    // off the bottom
        {{-10, 10, 900, 500}, {-110, 10, 800, 500}},     // wider than the screen: moved, not cut
    };
    for (const auto& c : cases) {
        const RECT got = geo::ClampPlacement(c.stored, 800, 600);
        EXPECT_TRUE(Same(got, c.expected)) << c.stored.left << "," << c.stored.top << " -> " << got.left << ","
                                           << got.top << "," << got.right << "," << got.bottom;
    }
}

TEST(DetailGeometry, APlacementKeepsItsLogicalSizeAtEveryScaleAndItsWindowStaysOnTheScreen) {
    const struct {
        int dpi;
        RECT stored, expected;
    } cases[] = {
        {96, {500, 30, 1100, 510}, {500, 30, 1100, 510}},
        {192, {500, 30, 1100, 510}, {400, 30, 1000, 510}},     // 1200 pixels wide
        {144, {1000, 700, 1601, 1181}, {698, 478, 1299, 959}},  // 902 x 722 pixels
    };
    for (const auto& c : cases)
        EXPECT_TRUE(Same(geo::PlacementOnScreen(c.stored, Scale{c.dpi}, 1600, 1200), c.expected)) << c.dpi;
}

TEST(DetailGeometry, TheWorkAreaFitLeavesAPixelAndMovesOnlyTheNearEdges) {
    const RECT work{0, 0, 760, 570};
    const struct {
        RECT window, expected;
    } cases[] = {
        {{200, 30, 800, 510}, {159, 30, 759, 510}},
        {{100, 100, 700, 580}, {100, 89, 700, 569}},
        {{-30, -5, 570, 475}, {1, 1, 570, 475}},
        {{100, 100, 700, 500}, {100, 100, 700, 500}},
    };
    for (const auto& c : cases) EXPECT_TRUE(Same(geo::FitIntoWorkArea(c.window, work), c.expected)) << c.window.left;
}

TEST(DetailGeometry, TheGripStopsAtTheWorkAreaAndTheTrackingLimits) {
    MINMAXINFO limits{};
    limits.ptMinTrackSize = {600, 480};
    limits.ptMaxTrackSize = {1024, 768};
    const RECT work{0, 0, 1024, 738};
    const struct {
        POINT corner;
        SIZE expected;
    } cases[] = {
        {{800, 600}, {700, 550}},
        {{800, 900}, {700, 688}},   // below the work area: the bottom stops there
        {{300, 200}, {600, 480}},   // never smaller than the minimum
        {{2000, 700}, {1024, 650}}, // never wider than the screen
    };
    for (const auto& c : cases) {
        const SIZE got = geo::GripSize({100, 50}, c.corner, work, limits);
        EXPECT_EQ(got.cx, c.expected.cx) << c.corner.x << "," << c.corner.y;
        EXPECT_EQ(got.cy, c.expected.cy) << c.corner.x << "," << c.corner.y;
    }
}

int Compact() { return 65; }
int Full() { return 140; }

TEST(SplitSnap, TheBarSettlesOnThePanesHeightsAndStaysInItsStateWhenTheyChange) {
    SplitSnapPolicy policy(&Compact, &Full);
    const struct {
        int dropped, state, position;
    } cases[] = {
        {40, 1, 35}, {49, 1, 35}, {50, 2, 65}, {65, 2, 65}, {66, 3, 125},
        {199, 3, 125}, {200, 4, 270}, {270, 4, 270}, {271, 0, 271},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(policy.Snap(c.dropped), c.position) << c.dropped;
        EXPECT_EQ(policy.State(), c.state) << c.dropped;
        EXPECT_EQ(policy.Reapply(policy.State(), 999), c.state ? c.position : 999) << c.dropped;
    }
}

}  // namespace
