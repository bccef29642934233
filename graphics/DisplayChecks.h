#pragma once

// Start-up checks of the display and the system.

// Warns, and goes on, when the screen shows 256 colours or fewer.
void CheckColorDepth();

// Whether the system is Windows 98 (version 4.10).
bool IsWindows98();

// The process-wide answer of IsWindows98, taken once at start-up; the off-screen surface
// reads it to choose its kind of bitmap.
void SetWindows98Flag(bool isWindows98);
bool Windows98Flag();
