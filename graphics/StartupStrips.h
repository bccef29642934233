#pragma once
#include <windows.h>

#include "graphics/ImageStrips.h"

// The image strips shared by the tiles, the system view and the dialogs, loaded once at
// start-up before the first window is built and kept until the process ends.
void LoadStartupStrips();

const SkinStrip& HubPlateStrip();        // four plates: external, root, self-powered, dark
const SkinStrip& DeviceIconStrip();      // frame 0 the USB 2.0 overlay, then the device icons
const SkinStrip& SeverityMarkerStrip();  // one marker per severity 0 to 4
const SkinStrip& ExpandMarkerStrip();    // show more, show less
const BitmapStrip& PortBadgeStrip();     // four badge looks, then the same four pressed
const SkinStrip& IconFolderStrip();      // selected and plain folder of the icon chooser

void DrawHubPlate(HDC dc, int frame, int x, int y);
void DrawSeverityMarker(HDC dc, int severity, int x, int y);
// The show-more marker while collapsed, the show-less marker otherwise.
void DrawExpandMarker(HDC dc, bool collapsed, int x, int y);
// Badge look n, in its alternate (pressed) form when asked.
void DrawPortBadge(HDC dc, int type, bool alternate, int x, int y);
void DrawIconFolder(HDC dc, int frame, int x, int y);
