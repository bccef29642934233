#pragma once
#include <windows.h>

#include "graphics/ImageStrips.h"
#include "base/Rect.h"

// Darkens the rect by up to 40 %, most towards one corner: the first corner mask stretched
// over the rect, or for a negative width the second mask over the same width left of x.
void DrawCornerShade(HDC dc, const Rect& rect);

// Frame `frame` of a skin strip at (x, y), as it is for variant 0, otherwise as a pale tint
// (see IconTint.h), recomputed on every draw.
void DrawTintedFrame(HDC dc, const SkinStrip& strip, int frame, int variant, int x, int y);

// A device icon of the shared device-icon strip; icon -1 is the USB 2.0 overlay.
void DrawTintedIcon(HDC dc, int icon, int variant, int x, int y);
