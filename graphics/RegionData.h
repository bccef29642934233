#pragma once
#include <cstddef>
#include <cstdint>

// An RGNDATA block as the "RGN" resources store it: a 32-byte header (header size 32,
// type 1 for rectangles, rectangle count, size of the rectangle data, bounding rect),
// then one (left, top, right, bottom) rectangle per scan band, right and bottom exclusive.
inline constexpr size_t kRegionHeaderSize = 32;

// Bytes of the block that hold the header and the counted rectangles; 0 when the block is
// not a rectangle list or its count reaches past the end of the data.
size_t RegionDataExtent(const uint8_t* data, size_t size);
