#include "graphics/PixelEffectsBits.h"

#include <algorithm>

size_t DibRowBytes(int width, int bitsPerPixel) {
    return (size_t(width) * size_t(bitsPerPixel) + 31) / 32 * 4;
}

DibBitsCanvas::DibBitsCanvas(const DibBits& dib, int originX, int originY, const std::vector<PixelBounds>& clip)
    : dib_(dib) {
    const bool drawable = dib.bits && dib.width > 0 && dib.height > 0 &&
                          (dib.bitsPerPixel == 24 || dib.bitsPerPixel == 32);
    if (!drawable) return;
    // An offset, not a pointer: logical (0, 0) may lie outside the bitmap.
    const ptrdiff_t rowBytes = ptrdiff_t(DibRowBytes(dib.width, dib.bitsPerPixel));
    pixelBytes_ = dib.bitsPerPixel / 8;
    rowStep_ = dib.topDown ? rowBytes : -rowBytes;
    originOffset_ = (dib.topDown ? 0 : rowBytes * (dib.height - 1)) + rowStep_ * originY + pixelBytes_ * originX;
    const PixelBounds whole{0, 0, dib.width, dib.height};
    const std::vector<PixelBounds> wholeOnly{whole};
    bool first = true;
    for (const PixelBounds& part : clip.empty() ? wholeOnly : clip) {
        const PixelBounds cut{std::max(part.left, whole.left) - originX, std::max(part.top, whole.top) - originY,
                              std::min(part.right, whole.right) - originX,
                              std::min(part.bottom, whole.bottom) - originY};
        if (cut.left >= cut.right || cut.top >= cut.bottom) continue;
        visible_.push_back(cut);
        bounds_ = first ? cut
                        : PixelBounds{std::min(bounds_.left, cut.left), std::min(bounds_.top, cut.top),
                                      std::max(bounds_.right, cut.right), std::max(bounds_.bottom, cut.bottom)};
        first = false;
    }
}

bool DibBitsCanvas::Visible(int64_t x, int64_t y) const {
    if (!bounds_.Contains(x, y)) return false;
    if (visible_.size() == 1) return true;
    return std::any_of(visible_.begin(), visible_.end(), [&](const PixelBounds& part) { return part.Contains(x, y); });
}

uint8_t* DibBitsCanvas::At(int x, int y) const {
    return dib_.bits + (originOffset_ + rowStep_ * y + pixelBytes_ * x);
}

uint32_t DibBitsCanvas::Get(int x, int y) const {
    if (!Visible(x, y)) return kInvalidColor;
    const uint8_t* p = At(x, y);
    return uint32_t(p[2]) | uint32_t(p[1]) << 8 | uint32_t(p[0]) << 16;
}

void DibBitsCanvas::Set(int x, int y, uint32_t color) {
    if (!Visible(x, y)) return;
    uint8_t* p = At(x, y);
    p[0] = uint8_t(color >> 16);
    p[1] = uint8_t(color >> 8);
    p[2] = uint8_t(color);
    if (dib_.bitsPerPixel == 32) p[3] = 0;
}
