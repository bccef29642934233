#pragma once
#include <windows.h>

#include "base/Scale.h"

// The skin's art for a scale other than 96 DPI. Each skin bitmap the program loads (a whole
// image, a frame cut from a strip, an opaque bitmap resource) is remembered with where it
// came from; a draw on a scaled DC then asks here for the same picture drawn for that
// scale. The skin carries every image drawn at 1.5x and 2x ("TGA150", "TGA200"); a scale
// in between takes the next drawn scale above and shrinks it once, area-averaged, to the
// exact size. Only beyond 2x, or for a picture the skin lacks at a scale, is the 96-DPI
// picture enlarged. Scaled pictures are made once and kept for the process.

enum class ArtKind { Premultiplied, Straight };

// Where a loaded bitmap came from: resource `id`, frames `frameWidth` wide (the whole
// image is one frame of its own width), this bitmap holding `count` of them from `first`.
void RememberArt(HBITMAP bitmap, UINT id, int frameWidth, int first, int count, ArtKind kind);

// The picture of `bitmap` for the scale: `bitmap` itself at 96 DPI and for a bitmap that
// did not come from the skin. Each frame of a strip is scale.Px(frameWidth) wide, side by
// side as at 96 DPI, and the height scale.Px(height).
HBITMAP ArtFor(HBITMAP bitmap, const Scale& scale);
