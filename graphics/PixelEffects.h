#pragma once
#include <windows.h>

#include "graphics/PixelEffectsMath.h"

// Looks computed pixel by pixel on whatever a DC already shows: the bevelled rim of the
// dialog backgrounds, anti-aliased connector and splitter lines, the glow of a selected
// tree row. Each pixel ends up exactly as a GetPixel/SetPixel pair per pixel would leave
// it; on a DC with a 24- or 32-bit DIB section selected (every off-screen surface) the
// bits are changed directly, which is many times faster. Pixels outside the bitmap or the
// clip are never touched.

// Bits works on the DIB's bits where the DC has them reachable, and per pixel elsewhere;
// PerPixel always goes through GetPixel/SetPixel; Fastest picks whichever costs less (the
// bits for everything but a single pixel, where finding them costs more than GDI's pair).
enum class PixelPath { Fastest, Bits, PerPixel };

// Whether the Bits path would work on the bits of this DC.
bool HasDirectPixels(HDC dc);

// A rim `depth` rings deep inside left..right, top..bottom (all inclusive): lighter on the
// top and left, darker on the bottom and right, most at the outside. Depth 0 or less
// draws nothing.
void DrawBevel(HDC dc, int left, int top, int right, int bottom, int depth, PixelPath path = PixelPath::Fastest);

// One pixel mixed with `color` by a weight 0 (the colour) to 15 (unchanged).
void BlendPixel(HDC dc, int x, int y, COLORREF color, int weight, PixelPath path = PixelPath::Fastest);

// Wu's anti-aliased line, both endpoints included.
void DrawAntialiasedLine(HDC dc, int x0, int y0, int x1, int y1, COLORREF color,
                         PixelPath path = PixelPath::Fastest);

// Recolours the pixels of colour `key` within about 28 pixels of (cx, cy), `color` at the
// centre and fading out; other pixels stay.
void DrawGlow(HDC dc, int cx, int cy, COLORREF color, COLORREF key, PixelPath path = PixelPath::Fastest);
