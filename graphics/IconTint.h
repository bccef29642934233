#pragma once
#include <cstddef>
#include <cstdint>

// The pale tints of the device icons. Variant 0 leaves a pixel alone; variants 1 to 5
// turn the hue by 60 degrees each; every other variant keeps the hue. All but variant 0
// set the saturation to 0.3, so shape and lightness stay and only a hint of colour is left.
//
// The three colour bytes are taken in memory order (blue, green, red) as r, g, b, and
// written back the same way; alpha is untouched. On premultiplied pixels the result stays
// premultiplied, since no byte grows beyond the largest of the three.
uint32_t TintPixel(uint32_t pixel, int variant);
void TintPixels(uint32_t* pixels, int width, int height, ptrdiff_t stride, int variant);
