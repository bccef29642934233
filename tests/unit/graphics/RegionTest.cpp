// Region values: factories, arithmetic, copies and RGN blocks.
#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "TestArt.h"
#include "graphics/Region.h"
#include "graphics/RegionData.h"

namespace {

// The RGNDATA block of the L of kCornerRgn, claiming `count` rectangles of a type (1 for
// rectangles), padded to `size` bytes.
std::vector<uint8_t> LBlock(uint32_t count, size_t size = 64, int type = 1) {
    const int32_t words[16] = {32, type, int32_t(count), int32_t(count * 16), 0, 0, 10, 10, 0, 0, 10, 5, 0, 5, 4, 10};
    std::vector<uint8_t> bytes(size);
    std::memcpy(bytes.data(), words, sizeof words);
    return bytes;
}

TEST(RegionDataExtent, CoversHeaderAndCountedRectanglesOfBlocksThatHoldThem) {
    // Exact, with trailing bytes, a count beyond the data, a count of 2^32 - 1, a header cut
    // short, rectangles of another type.
    const std::tuple<std::vector<uint8_t>, size_t, size_t> cases[] = {
        {LBlock(2), 64, 64}, {LBlock(2, 71), 71, 64}, {LBlock(3), 64, 0}, {LBlock(0xFFFFFFFF), 64, 0},
        {LBlock(2), 31, 0},  {LBlock(2, 64, 2), 64, 0}};
    for (const auto& [block, size, extent] : cases) EXPECT_EQ(RegionDataExtent(block.data(), size), extent) << size;
}

TEST(Region, FactoriesAndArithmeticCoverTheRightPixels) {
    const Region a = Region::CreateRect(0, 0, 10, 10), b = Region::CreateRect(5, 5, 10, 10);
    const std::tuple<const char*, Region, POINT, POINT> cases[] = {
        {"rect keeps its last pixel", a, {9, 9}, {10, 0}},
        {"merge", Region::Merge(a, b), {14, 14}, {14, 1}},
        {"subtract", Region::Subtract(a, b), {1, 1}, {6, 6}},
        {"offset", Region::Offset(a, 5, 7), {14, 16}, {4, 6}},
    };
    for (const auto& [what, region, in, out] : cases) {
        EXPECT_TRUE(region.Contains(in.x, in.y)) << what;
        EXPECT_FALSE(region.Contains(out.x, out.y)) << what;
    }
}

TEST(Region, CopiesAreIndependentOfTheirSource) {
    Region source = Region::CreateRect(0, 0, 10, 10), copy;
    copy = source;
    const Region constructed(source);
    const HRGN detached = source.DetachCopy();
    OffsetRgn(source.GetHandle(), 100, 0);
    for (HRGN r : {copy.GetHandle(), constructed.GetHandle(), detached}) EXPECT_TRUE(PtInRegion(r, 5, 5));
    DeleteObject(detached);
}

TEST(Region, LoadsRgnBlocksAndFailedLoadsLeaveNoArea) {
    Region r;
    ASSERT_TRUE(r.LoadFromResource(kCornerRgn));
    EXPECT_TRUE(r.Contains(3, 9));
    EXPECT_FALSE(r.Contains(5, 7)) << "the notch of the L";
    const auto bad = LBlock(3);
    const Region square = Region::CreateRect(0, 0, 3, 3);
    for (bool resource : {true, false}) {  // an image, not a region; a count beyond the block
        r = square;
        EXPECT_FALSE(resource ? r.LoadFromResource(kStripTga) : r.LoadFromData(bad.data(), bad.size()));
        EXPECT_FALSE(r.Contains(1, 1));
        EXPECT_TRUE(Region(r).IsEmpty());
        r = square;  // takes an area again by assignment
        EXPECT_TRUE(r.Contains(1, 1));
    }
}

}  // namespace
