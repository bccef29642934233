#pragma once
#include <windows.h>

// The tile backgrounds and the transmission light, loaded once at start-up (after the
// shared look) and kept until the process ends. Unloaded, they draw nothing.
void LoadTileImages();

// The background strip of the position kind at its frame.
void DrawTileBackground(HDC dc, int kind, int frame);
// Light frames 0 (brightest) to 11, 13 pixels square.
void DrawLightFrame(HDC dc, int frame, int x, int y);
