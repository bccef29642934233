#pragma once
#include <cstddef>
#include <cstdint>

// A view of the pixels of an uncompressed 32-bit Targa block: rows in stored order,
// the first stored row on top, each pixel blue, green, red, alpha. Nothing is copied;
// the pixels may be unaligned, so read them bytewise.
struct TgaImage {
    int width = 0;
    int height = 0;
    const uint8_t* pixels = nullptr;  // width * 4 bytes per row, no padding

    bool Empty() const { return width <= 0 || height <= 0 || !pixels; }
};

inline constexpr size_t kTgaHeaderSize = 18;

// Reads the header of a Targa block. Depth, image type and origin flag are not checked:
// every skin is stored the one way the loader reads. Returns false, with an empty image,
// when the block is too short for its header, its image id or its pixels.
bool ParseTga(const uint8_t* data, size_t size, TgaImage* image);
