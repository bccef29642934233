#pragma once
#include <windows.h>

#include "base/String.h"

// The width in pixels of the whole text in `font` on dc; the DC keeps its own font.
int TextWidth(HDC dc, const String& text, HFONT font);
