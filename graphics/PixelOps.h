#pragma once
#include <cstddef>
#include <cstdint>

// Pixel arithmetic on 32-bit pixels (0xAARRGGBB in a uint32_t: blue in the low byte, as
// a 32-bit DIB holds them). Strides count pixels, not bytes.

// The form AlphaBlend expects of a per-pixel alpha source: each colour byte becomes
// colour * alpha / 255, truncated; alpha stays.
uint32_t PremultiplyPixel(uint32_t pixel);
void PremultiplyPixels(uint32_t* pixels, int width, int height, ptrdiff_t stride);

// Copies columns [x, x + width) of `height` rows of 4-byte pixels from a byte source
// (which may be unaligned) into dest.
void CopyPixelColumns(const uint8_t* source, size_t sourceRowBytes, int x, int width, int height,
                      uint32_t* dest, ptrdiff_t destStride);

// How many whole frames of frameWidth an image of imageWidth holds; the rest is dropped.
// 0 for a frame width of 0 or less.
int FrameCount(int imageWidth, int frameWidth);
