#pragma once
#include <windows.h>

// One entry of an item list (the element and the window alike): it lays
// itself out in a given width and draws itself there.
class ListItem {
public:
    virtual ~ListItem() = default;
    virtual void Measure(SIZE* out, int width) = 0;
    virtual void Draw(HDC dc, int x, int y, int width) = 0;

    // The height it takes in the width.
    int HeightIn(int width) {
        SIZE size{0, 0};
        Measure(&size, width);
        return size.cy;
    }
};
