#pragma once
#include <windows.h>

// The twelve skin images of the frame window, loaded once at start-up and freed at exit.
enum class FramePiece {
    TopLeft,         // 500 x 50
    LeftUpper,       // 24 x 340
    TopEdge,         // 40 x 30, repeated
    TopRight,        // 60 x 50
    LeftEdge,        // 24 x 40, repeated
    RightEdge,       // 24 x 40, repeated
    BottomLeft,      // 60 x 50
    BottomEdge,      // 40 x 30, repeated
    BottomRight,     // 500 x 50
    RightLower,      // 24 x 340
    BadgeActive,     // 72 x 10
    BadgeInactive,   // 72 x 10
};

void LoadFrameImages();
void FreeFrameImages();
HBITMAP FrameImage(FramePiece piece);
