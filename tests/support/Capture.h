#pragma once
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>

namespace e2e {

// Pixels read from the screen, top row first, each 0x00RRGGBB.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    bool Empty() const { return pixels.empty(); }
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    // The same pixel as a GDI colour (0x00BBGGRR), for comparing with RGB(...).
    COLORREF ColorAt(int x, int y) const;
};

// What the screen shows inside a rectangle (screen coordinates), or inside a window.
Image CaptureScreen(const RECT& area);
Image CaptureWindow(HWND window);

// Saves under the screenshot folder as name.bmp and returns the full path.
std::string SaveScreenshot(const Image& image, const std::string& name);

}  // namespace e2e
