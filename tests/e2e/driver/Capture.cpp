#include "tests/e2e/driver/Capture.h"

#include <cstdio>
#include <cstring>

#include "tests/e2e/driver/Paths.h"

namespace e2e {

COLORREF Image::ColorAt(int x, int y) const {
    uint32_t p = At(x, y);
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

Image CaptureScreen(const RECT& area) {
    Image image;
    int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return image;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dib && bits) {
        HGDIOBJ old = SelectObject(memory, dib);
        if (BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY)) {
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
    ReleaseDC(nullptr, screen);
    return image;
}

Image CaptureWindow(HWND window) {
    RECT r{};
    if (!GetWindowRect(window, &r)) return {};
    return CaptureScreen(r);
}

// 32-bit top-down BMP; false when the file cannot be written.
static bool SaveBmp(const Image& image, const std::string& path) {
    if (image.Empty()) return false;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = image.width;
    header.biHeight = -image.height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    DWORD dataSize = static_cast<DWORD>(image.pixels.size() * 4);
    BITMAPFILEHEADER fileHeader{};
    fileHeader.bfType = 0x4D42;  // "BM"
    fileHeader.bfOffBits = sizeof fileHeader + sizeof header;
    fileHeader.bfSize = fileHeader.bfOffBits + dataSize;
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
