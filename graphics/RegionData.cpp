#include "graphics/RegionData.h"

namespace {

uint32_t ReadU32(const uint8_t* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

constexpr uint32_t kRectanglesType = 1;
constexpr size_t kRectSize = 16;

}  // namespace

size_t RegionDataExtent(const uint8_t* data, size_t size) {
    if (!data || size < kRegionHeaderSize) return 0;
    if (ReadU32(data) != kRegionHeaderSize || ReadU32(data + 4) != kRectanglesType) return 0;
    const uint64_t count = ReadU32(data + 8);
    const uint64_t extent = kRegionHeaderSize + count * kRectSize;
    return extent <= size ? static_cast<size_t>(extent) : 0;
}
