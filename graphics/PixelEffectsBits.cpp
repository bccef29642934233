#include "graphics/PixelEffectsBits.h"

#include <algorithm>

size_t DibRowBytes(int width, int bitsPerPixel) {
    return (size_t(width) * size_t(bitsPerPixel) + 31) / 32 * 4;
}

template <int kPixelBytes>
DibBitsCanvas<kPixelBytes>::DibBitsCanvas(const DibBits& dib, int originX, int originY, const PixelBounds& shown)
    : bits_(dib.bits) {
    if (!dib.bits || dib.width <= 0 || dib.height <= 0 || dib.bitsPerPixel != 8 * kPixelBytes) return;
    // An offset, not a pointer: logical (0, 0) may lie outside the bitmap.
    const ptrdiff_t rowBytes = ptrdiff_t(DibRowBytes(dib.width, dib.bitsPerPixel));
    rowStep_ = dib.topDown ? rowBytes : -rowBytes;
    originOffset_ = (dib.topDown ? 0 : rowBytes * (dib.height - 1)) + rowStep_ * originY + kPixelBytes * originX;
    const PixelBounds cut{std::max<int64_t>(shown.left, 0) - originX, std::max<int64_t>(shown.top, 0) - originY,
                          std::min<int64_t>(shown.right, dib.width) - originX,
                          std::min<int64_t>(shown.bottom, dib.height) - originY};
    if (cut.left < cut.right && cut.top < cut.bottom) bounds_ = cut;
}

template class DibBitsCanvas<3>;
template class DibBitsCanvas<4>;
