#pragma once
#include <windows.h>

#include "base/String.h"
#include "graphics/TextHelpers.h"

// Captions and labels of the element kinds: measured with TextExtent and drawn on a
// transparent background.

// The offset that centres something of size inner within outer, rounded down, so a caption
// wider than its button spills one pixel more to the left than to the right.
constexpr int CentreOffset(int outer, int inner) {
    int room = outer - inner;
    return room >= 0 ? room / 2 : -((1 - room) / 2);
}

// Text at (x, y) in font, in black, leaving the background as it is.
void DrawLabel(HDC dc, HFONT font, int x, int y, const String& text);

// Word-wrapped text (DT_WORDBREAK, DT_NOPREFIX and `format`) in font within box, in black on a
// transparent background. Measure gives the height it takes without drawing; Draw draws it
// and gives the same height.
int MeasureWrapped(HDC dc, HFONT font, RECT box, const String& text, UINT format = 0);
int DrawWrapped(HDC dc, HFONT font, RECT box, const String& text, UINT format = 0);
