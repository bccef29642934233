#include "TestArt.h"

#include <cstring>

#include "graphics/Dib.h"

uint32_t StripPixel(int col, int row) {
    static const uint32_t kAlphas[4] = {255, 0, 128, 64};
    return kAlphas[col % 4] << 24 | 200u << 16 | uint32_t(row * 50) << 8 | uint32_t(col);
}

std::vector<uint8_t> MakeTga(int width, int height, int idLength,
                             const std::function<uint32_t(int, int)>& rule) {
    std::vector<uint8_t> bytes(18 + idLength, 0);
    bytes[0] = uint8_t(idLength);
    bytes[2] = 2;
    bytes[12] = uint8_t(width), bytes[13] = uint8_t(width >> 8);
    bytes[14] = uint8_t(height), bytes[15] = uint8_t(height >> 8);
    bytes[16] = 32;
    bytes[17] = 0x28;
    for (int row = 0; row < height; ++row) {
        for (int col = 0; col < width; ++col) {
            const uint32_t pixel = rule(col, row);
            for (int shift = 0; shift < 32; shift += 8) bytes.push_back(uint8_t(pixel >> shift));
        }
    }
    return bytes;
}

std::vector<uint8_t> MakeRegionData(const std::vector<RECT>& rects, uint32_t count) {
    RECT bounds{};
    if (!rects.empty()) bounds = rects.front();
    for (const RECT& r : rects) UnionRect(&bounds, &bounds, &r);
    const int32_t header[8] = {32, 1, int32_t(count), int32_t(count * 16),
                               bounds.left, bounds.top, bounds.right, bounds.bottom};
    std::vector<uint8_t> bytes(sizeof header + rects.size() * sizeof(RECT));
    std::memcpy(bytes.data(), header, sizeof header);
    if (!rects.empty()) std::memcpy(bytes.data() + sizeof header, rects.data(), rects.size() * sizeof(RECT));
    return bytes;
}

TestCanvas::TestCanvas(int width, int height, uint32_t fill) : width_(width), height_(height) {
    void* bits = nullptr;
    bitmap_.Reset(CreateDib(memory_.GetDC(), width, height, 32, DibOrder::TopDown, &bits));
    pixels_ = static_cast<uint32_t*>(bits);
    memory_.Select(bitmap_.Get());
    Fill(fill);
}

uint32_t TestCanvas::Pixel(int x, int y) const {
    GdiFlush();
    return pixels_[y * width_ + x] & 0x00FFFFFF;
}

void TestCanvas::Fill(uint32_t colour) {
    GdiFlush();
    for (int i = 0; i < width_ * height_; ++i) pixels_[i] = colour;
}

TestWindow::TestWindow(int width, int height)
    : window_(CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP, 0, 0, width, height,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr)) {}

TestWindow::~TestWindow() { DestroyWindow(window_); }

void TestWindow::Resize(int width, int height) {
    SetWindowPos(window_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
