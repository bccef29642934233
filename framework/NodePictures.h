#pragma once
#include <windows.h>

#include <cstdint>

class DeviceNode;

// The 24 x 24 picture of a node wherever it is shown (tiles, the system tree, the device
// options): a labelled hub plate for a hub, the chosen icon in its tint otherwise, with the
// USB 2.0 overlay on top for a node on a USB 2.0 connection. Needs the start-up strips and
// the shared look loaded.
void DrawNodePicture(HDC dc, const DeviceNode& node, int x, int y);
void DrawNodeIcon(HDC dc, const DeviceNode& node, int x, int y);
// The plate of the hub's kind, and while connected "USB" (plugged into the computer) or
// "HUB" with the hub's port label below, white on the dark plate, black on the others.
void DrawHubPicture(HDC dc, const DeviceNode& node, int x, int y);

// The port badge of a node (port designation and upstream hub number) at (x, y), in its
// pressed look when asked.
void DrawNodeBadge(HDC dc, const DeviceNode& node, bool pressed, int x, int y);

// Which of the four hub plates a hub's flags pick (bits 4 to 13).
int HubPlateFrame(uint16_t flags);
constexpr int kDarkHubPlate = 3;
