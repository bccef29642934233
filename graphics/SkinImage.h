#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/HandleOwners.h"

// Skin images: the "TGA" resources as 32-bit top-down DIB sections, premultiplied when
// asked (every caller asks, so that each draw is a single AlphaBlend). A block too short
// for the size its header gives, or an image of no size, gives no bitmap.

Bitmap DecodeSkinImage(const uint8_t* data, size_t size, bool premultiply);

// The image cut left to right into width / frameWidth frames of frameWidth columns; the
// columns left over are dropped. No frames for a frame width of 0 or less or wider than the
// image. If a frame cannot be made, the frames made so far are returned.
std::vector<Bitmap> DecodeSkinFrames(const uint8_t* data, size_t size, int frameWidth,
                                     bool premultiply);

Bitmap LoadSkinImage(UINT id, bool premultiply);
std::vector<Bitmap> LoadSkinFrames(UINT id, int frameWidth, bool premultiply);
