#pragma once
#include <windows.h>

#include "base/Rect.h"

// Preloaded skin images put on a DC: opaque or alpha-blended (premultiplied sources),
// whole, cut, or repeated along an edge. A null bitmap draws nothing.

void BlitImage(HDC dc, HBITMAP bitmap, int x, int y);
void BlendImage(HDC dc, HBITMAP bitmap, int x, int y);
// The top-left width x height of the bitmap at (x, y), not stretched.
void BlendImagePart(HDC dc, HBITMAP bitmap, int x, int y, int width, int height);
// Opaque: width x height from (sourceX, sourceY) of the bitmap at (x, y), not stretched.
void BlitImagePart(HDC dc, HBITMAP bitmap, int x, int y, int width, int height, int sourceX, int sourceY);
// Opaque: the `from` rect of the bitmap stretched over `to`.
void StretchImagePart(HDC dc, HBITMAP bitmap, const Rect& to, const Rect& from);

// Copies from x1 rightwards while x < x2; the last one is cut so that it ends on x2 itself.
void TileHorizontal(HDC dc, HBITMAP bitmap, int x1, int y, int x2);
// The same downwards from y1 to y2.
void TileVertical(HDC dc, HBITMAP bitmap, int x, int y1, int y2);

// The background pattern copied in rows and columns from the rect's top-left until the rect
// is covered; the last row and column are not cut and may overrun it.
void TileBackground(HDC dc, HBITMAP background, const Rect& rect);
