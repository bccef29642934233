#include "graphics/PixelOps.h"

#include <cstring>

uint32_t PremultiplyPixel(uint32_t pixel) {
    const uint32_t alpha = pixel >> 24;
    uint32_t result = pixel & 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t channel = (pixel >> shift) & 0xFF;
        result |= (channel * alpha / 255) << shift;
    }
    return result;
}

void PremultiplyPixels(uint32_t* pixels, int width, int height, ptrdiff_t stride) {
    for (int row = 0; row < height; ++row) {
        uint32_t* line = pixels + row * stride;
        for (int col = 0; col < width; ++col) line[col] = PremultiplyPixel(line[col]);
    }
}

void CopyPixelColumns(const uint8_t* source, size_t sourceRowBytes, int x, int width, int height,
                      uint32_t* dest, ptrdiff_t destStride) {
    if (width <= 0) return;
    for (int row = 0; row < height; ++row) {
        std::memcpy(dest + row * destStride, source + row * sourceRowBytes + size_t(x) * 4,
                    size_t(width) * 4);
    }
}

int FrameCount(int imageWidth, int frameWidth) {
    if (frameWidth <= 0 || imageWidth <= 0) return 0;
    return imageWidth / frameWidth;
}
