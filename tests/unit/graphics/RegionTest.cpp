// Region values: factories, arithmetic, copies and RGN blocks.
#include <gtest/gtest.h>

#include "TestArt.h"
#include "graphics/Region.h"
#include "graphics/RegionData.h"

namespace {

const std::vector<RECT> kL = {{0, 0, 10, 5}, {0, 5, 4, 10}};

bool SameArea(const Region& a, const Region& b) {
    return EqualRgn(a.GetHandle(), b.GetHandle()) != FALSE;
}

TEST(RegionDataExtent, CoversHeaderAndCountedRectanglesOnly) {
    auto block = MakeRegionData(kL, 2);
    EXPECT_EQ(RegionDataExtent(block.data(), block.size()), 64u);
    block.resize(block.size() + 7);  // trailing bytes are not the region's
    EXPECT_EQ(RegionDataExtent(block.data(), block.size()), 64u);
}

TEST(RegionDataExtent, RefusesBlocksThatDoNotHoldWhatTheyClaim) {
    struct Case {
        const char* what;
        std::vector<uint8_t> block;
        size_t size;
    } cases[] = {
        {"count beyond the data", MakeRegionData(kL, 3), 64},
        {"count of 2^32 - 1", MakeRegionData(kL, 0xFFFFFFFF), 64},
        {"header cut short", MakeRegionData(kL, 2), 31},
        {"no data", {}, 0},
    };
    for (Case& c : cases) EXPECT_EQ(RegionDataExtent(c.block.data(), c.size), 0u) << c.what;

    auto wrongHeader = MakeRegionData(kL, 2);
    wrongHeader[0] = 40;
    EXPECT_EQ(RegionDataExtent(wrongHeader.data(), wrongHeader.size()), 0u);
    auto wrongType = MakeRegionData(kL, 2);
    wrongType[4] = 2;
    EXPECT_EQ(RegionDataExtent(wrongType.data(), wrongType.size()), 0u);
}

TEST(Region, RectanglesExcludeTheirRightAndBottomEdges) {
    const Region r = Region::CreateRect(0, 0, 10, 10);
    EXPECT_TRUE(r.Contains(0, 0));
    EXPECT_TRUE(r.Contains(9, 9));
    EXPECT_FALSE(r.Contains(10, 10));
    EXPECT_FALSE(r.Contains(10, 0));
    EXPECT_FALSE(r.Contains(-1, 5));
    EXPECT_TRUE(SameArea(Region::FromRect({0, 0, 10, 10}), r));
}

TEST(Region, RoundedShapesLeaveTheirCornersOut) {
    const Region round = Region::CreateRoundRect({0, 0, 40, 20}, 10, 10);
    const Region ellipse = Region::CreateEllipse(0, 0, 40, 20);
    for (const Region* r : {&round, &ellipse}) {
        EXPECT_FALSE(r->Contains(0, 0));
        EXPECT_FALSE(r->Contains(39, 19));
        EXPECT_TRUE(r->Contains(20, 10));
    }
    EXPECT_TRUE(round.Contains(20, 0)) << "a round rect keeps its straight edges";
}

TEST(Region, MergeAndSubtract) {
    const Region a = Region::CreateRect(0, 0, 10, 10);
    const Region b = Region::CreateRect(5, 5, 10, 10);
    const Region merged = Region::Merge(a, b);
    EXPECT_TRUE(merged.Contains(1, 1));
    EXPECT_TRUE(merged.Contains(14, 14));
    EXPECT_FALSE(merged.Contains(14, 1));
    const Region cut = Region::Subtract(a, b);
    EXPECT_TRUE(cut.Contains(1, 1));
    EXPECT_FALSE(cut.Contains(6, 6));
    EXPECT_FALSE(cut.Contains(14, 14));
    EXPECT_TRUE(Region::Subtract(a, a).IsEmpty());
    EXPECT_TRUE(SameArea(Region::Merge(a, Region()), a));
    EXPECT_FALSE(a.IsEmpty());
}

TEST(Region, OffsetMovesACopyAndLeavesTheSource) {
    const Region a = Region::CreateRect(0, 0, 10, 10);
    const Region moved = Region::Offset(a, 5, 7);
    EXPECT_TRUE(moved.Contains(14, 16));
    EXPECT_FALSE(moved.Contains(4, 6));
    EXPECT_TRUE(a.Contains(4, 6));
}

TEST(Region, CopiesAreIndependentOfTheirSource) {
    Region copy;
    {
        Region source = Region::CreateRect(0, 0, 10, 10);
        copy = source;
        Region constructed(source);
        OffsetRgn(source.GetHandle(), 100, 0);
        EXPECT_TRUE(copy.Contains(5, 5));
        EXPECT_TRUE(constructed.Contains(5, 5));
        EXPECT_NE(constructed.GetHandle(), source.GetHandle());
    }
    EXPECT_TRUE(copy.Contains(5, 5)) << "copy died with its source";

    HRGN detached = copy.DetachCopy();
    EXPECT_NE(detached, copy.GetHandle());
    EXPECT_TRUE(EqualRgn(detached, copy.GetHandle()));
    DeleteObject(detached);
    EXPECT_TRUE(copy.Contains(5, 5));
}

TEST(Region, LoadsAnRgnResource) {
    Region r;
    ASSERT_TRUE(r.LoadFromResource(kCornerRgn));
    EXPECT_TRUE(r.Contains(9, 4));
    EXPECT_TRUE(r.Contains(3, 9));
    EXPECT_FALSE(r.Contains(5, 7)) << "the notch of the L";
    EXPECT_FALSE(r.Contains(10, 0));
}

TEST(Region, FailedLoadsLeaveNoHandleAndNoArea) {
    struct Case {
        const char* what;
        UINT id;
    } cases[] = {
        {"count beyond the block", kShortRgn},
        {"same bytes, another resource type", kCornerRcData},
        {"an image, not a region", kStripTga},
        {"no such resource", 999},
    };
    for (const Case& c : cases) {
        Region r = Region::CreateRect(0, 0, 10, 10);
        EXPECT_FALSE(r.LoadFromResource(c.id)) << c.what;
        EXPECT_EQ(r.GetHandle(), nullptr) << c.what;
        EXPECT_FALSE(r.Contains(1, 1)) << c.what;
        EXPECT_TRUE(r.IsEmpty()) << c.what;
        EXPECT_TRUE(Region(r).IsEmpty()) << c.what;
        // A region emptied by a failed load takes an area again by assignment.
        r = Region::CreateRect(0, 0, 3, 3);
        EXPECT_TRUE(r.Contains(1, 1)) << c.what;
    }
}

TEST(Region, LoadsFromABlockInMemoryOnlyWhenTheCountFits) {
    Region r;
    const auto good = MakeRegionData(kL, 2);
    EXPECT_TRUE(r.LoadFromData(good.data(), good.size()));
    EXPECT_TRUE(r.Contains(3, 9));
    const auto bad = MakeRegionData(kL, 3);
    EXPECT_FALSE(r.LoadFromData(bad.data(), bad.size()));
    EXPECT_FALSE(r.Contains(3, 9));
}

}  // namespace
