#pragma once
#include <windows.h>

#include "base/HandleOwners.h"
#include "graphics/MemoryDC.h"

// The off-screen picture a window paints into before one BitBlt puts it on screen. The
// bitmap takes the window's size and is only ever enlarged, so a window that shrinks and
// grows again does not reallocate.
class Surface {
public:
    Surface() = default;
    explicit Surface(HWND window) : window_(window) {}
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    // The DC to paint into, cleared to white. A window of no width or height (or no window)
    // gets the target itself, and End then copies nothing.
    HDC Begin(HDC target);
    // Copies the whole allocated area to the target at (0, 0); the target's clip cuts it.
    void End();

    int AllocatedWidth() const { return width_; }
    int AllocatedHeight() const { return height_; }

private:
    void Allocate(HDC target, int width, int height);

    HWND window_ = nullptr;
    HDC target_ = nullptr;
    MemoryDC memory_;
    int width_ = 0;
    int height_ = 0;
    Bitmap bitmap_;
    bool direct_ = false;
};

