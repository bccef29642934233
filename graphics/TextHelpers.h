#pragma once
#include <windows.h>

#include "base/String.h"

// The size of the whole text in font on dc; the DC keeps its own font.
SIZE TextExtent(HDC dc, HFONT font, const String& text);
