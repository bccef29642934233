#include "graphics/Tga.h"

namespace {
unsigned ReadU16(const uint8_t* p) { return p[0] | (p[1] << 8); }
}  // namespace

bool ParseTga(const uint8_t* data, size_t size, TgaImage* image) {
    *image = TgaImage{};
    if (!data || size < kTgaHeaderSize) return false;
    const size_t idLength = data[0];
    const unsigned width = ReadU16(data + 12);
    const unsigned height = ReadU16(data + 14);
    const size_t start = kTgaHeaderSize + idLength;
    // 65535 * 65535 * 4 still fits 64 bits, and the division keeps 32-bit builds honest.
    const uint64_t pixelBytes = uint64_t{width} * height * 4;
    if (start > size || pixelBytes > size - start) return false;
    image->width = static_cast<int>(width);
    image->height = static_cast<int>(height);
    image->pixels = data + start;
    return true;
}
