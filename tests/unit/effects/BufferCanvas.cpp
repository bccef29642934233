#include "tests/unit/effects/BufferCanvas.h"

namespace {
constexpr uint8_t kPadding = 0x5A;
}

DibBits BufferCanvas::Describe(int width, int height, int bitsPerPixel, bool topDown) {
    bytes_.assign(kGuardBytes * 2 + DibRowBytes(width, bitsPerPixel) * size_t(height), kGuard);
    return {bytes_.data() + kGuardBytes, width, height, bitsPerPixel, topDown};
}

BufferCanvas::BufferCanvas(int width, int height, uint32_t fill, int bitsPerPixel, bool topDown,
                           const std::vector<PixelBounds>& clip, int originX, int originY)
    : dib_(Describe(width, height, bitsPerPixel, topDown)), fill_(fill), canvas_(dib_, originX, originY, clip) {
    const size_t rowBytes = DibRowBytes(width, bitsPerPixel), step = size_t(bitsPerPixel / 8);
    for (int y = 0; y < height; ++y) {
        uint8_t* row = dib_.bits + size_t(y) * rowBytes;
        for (size_t i = 0; i < rowBytes; ++i) row[i] = kPadding;
        for (int x = 0; x < width; ++x) {
            uint8_t* p = row + size_t(x) * step;
            p[0] = uint8_t(fill >> 16), p[1] = uint8_t(fill >> 8), p[2] = uint8_t(fill);
            if (step == 4) p[3] = 0;
        }
    }
}

uint32_t BufferCanvas::At(int x, int y) const {
    const size_t row = dib_.topDown ? size_t(y) : size_t(dib_.height - 1 - y);
    const uint8_t* p = dib_.bits + row * DibRowBytes(dib_.width, dib_.bitsPerPixel) + size_t(x) * (dib_.bitsPerPixel / 8);
    return uint32_t(p[2]) | uint32_t(p[1]) << 8 | uint32_t(p[0]) << 16 |
           (dib_.bitsPerPixel == 32 ? uint32_t(p[3]) << 24 : 0);
}

bool BufferCanvas::OnlyPixelsWritten() const {
    for (size_t i = 0; i < kGuardBytes; ++i) {
        if (bytes_[i] != kGuard || bytes_[bytes_.size() - 1 - i] != kGuard) return false;
    }
    const size_t rowBytes = DibRowBytes(dib_.width, dib_.bitsPerPixel);
    const size_t used = size_t(dib_.width) * size_t(dib_.bitsPerPixel / 8);
    for (int y = 0; y < dib_.height; ++y) {
        for (size_t i = used; i < rowBytes; ++i) {
            if (dib_.bits[size_t(y) * rowBytes + i] != kPadding) return false;
        }
    }
    return true;
}

int BufferCanvas::ChangedCount() const {
    int count = 0;
    for (int y = 0; y < dib_.height; ++y) {
        for (int x = 0; x < dib_.width; ++x) count += At(x, y) != fill_;
    }
    return count;
}
