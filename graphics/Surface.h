#pragma once
#include <windows.h>

#include "base/HandleOwners.h"
#include "graphics/MemoryDC.h"

// The off-screen picture a window paints into before one BitBlt puts it on screen; a
// window keeps one for its lifetime. The bitmap takes the window's size and is only ever
// enlarged, so a window that shrinks and grows again does not reallocate.
//
// Only what the target can show is painted: the target's clip box limits the painting
// (as the DC's meta region, so the elements' own clip regions stay inside it), is the only
// part cleared, and the only part copied. A repaint of one element costs its area, not
// the window's.
class Surface {
public:
    Surface() = default;
    explicit Surface(HWND window) : window_(window) {}
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    // The DC to paint into, cleared to white where the target shows it. A window of no
    // width or height (or no window) gets the target itself, and End then copies nothing.
    HDC Begin(HDC target);
    // Copies the painted part to the same place on the target.
    void End();

    int AllocatedWidth() const { return width_; }
    int AllocatedHeight() const { return height_; }

private:
    void Allocate(HDC target, int width, int height);
    void EndLimit();

    HWND window_ = nullptr;
    HDC target_ = nullptr;
    MemoryDC memory_;
    int width_ = 0;
    int height_ = 0;
    Bitmap bitmap_;
    RECT area_{};
    int saved_ = 0;  // the memory DC's state before the limit of the current paint
    bool direct_ = false;
};
