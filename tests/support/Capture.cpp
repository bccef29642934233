#include "tests/support/Capture.h"
#include <cstdio>
#include <cstring>
#include "tests/support/Paths.h"

namespace e2e {

COLORREF Image::ColorAt(int x, int y) const {
    uint32_t p = At(x, y);
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

// The area of the source DC, from (x, y) of it.
static Image Capture(HWND source, int x, int y, int width, int height) {
    Image image;
    if (width <= 0 || height <= 0) return image;

    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};  // top-down
    HDC screen = source ? GetWindowDC(source) : GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dib && bits) {
        HGDIOBJ old = SelectObject(memory, dib);
        if (BitBlt(memory, 0, 0, width, height, screen, x, y, SRCCOPY)) {
            GdiFlush();
            image.width = width;
            image.height = height;
            image.pixels.resize(static_cast<size_t>(width) * height);
            std::memcpy(image.pixels.data(), bits, image.pixels.size() * 4);
            for (uint32_t& p : image.pixels) p &= 0x00FFFFFF;
        }
        SelectObject(memory, old);
    }
    if (dib) DeleteObject(dib);
    DeleteDC(memory);
    ReleaseDC(source, screen);
    return image;
}

Image CaptureScreen(const RECT& area) {
    return Capture(nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top);
}

Image CaptureWindow(HWND window) {
    RECT r{};
    if (!GetWindowRect(window, &r)) return {};
    // A window of this process is read from its own DC: what it painted, even before Wine
    // has passed it on to the screen. Another process's window can only be read on screen.
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId()) return Capture(window, 0, 0, r.right - r.left, r.bottom - r.top);
    return CaptureScreen(r);
}

// 32-bit top-down BMP; false when the file cannot be written.
static bool SaveBmp(const Image& image, const std::string& path) {
    if (image.Empty()) return false;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const BITMAPINFOHEADER header{sizeof(BITMAPINFOHEADER), image.width, -image.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    const DWORD dataSize = static_cast<DWORD>(image.pixels.size() * 4), offset = sizeof(BITMAPFILEHEADER) + sizeof header;
    const BITMAPFILEHEADER fileHeader{0x4D42, offset + dataSize, 0, 0, offset};  // "BM"
    bool ok = std::fwrite(&fileHeader, sizeof fileHeader, 1, file) == 1 &&
              std::fwrite(&header, sizeof header, 1, file) == 1 &&
              std::fwrite(image.pixels.data(), 1, dataSize, file) == dataSize;
    return std::fclose(file) == 0 && ok;
}

std::string SaveScreenshot(const Image& image, const std::string& name) {
    std::string path = ScreenshotDir() + "\\" + name + ".bmp";
    return SaveBmp(image, path) ? path : std::string();
}

}  // namespace e2e
