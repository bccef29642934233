#pragma once

// A rectangle as the program's own functions pass it: top-left corner and size.
// GDI's (left, top, right, bottom) appears only at GDI calls.
struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};
