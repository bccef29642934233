#pragma once
#include <windows.h>

// AlphaBlend lives in msimg32.dll, which is not linked: a static import would stop the
// process before start-up can tell the user the library is missing. The function is found
// in the loaded library on first use.

// Whether msimg32.dll loaded and exports AlphaBlend.
bool AlphaBlendAvailable();

// AlphaBlend with the program's one blend: source over, constant alpha 255, per-pixel alpha
// of a premultiplied source. False when it fails or is not available.
bool BlendPremultiplied(HDC dest, int x, int y, int width, int height, HDC source, int sourceX,
                        int sourceY, int sourceWidth, int sourceHeight);
