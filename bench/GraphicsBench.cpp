// How long the drawing that every paint repeats takes: one alpha-blended 24 x 24 frame
// and one tinted device icon.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "bench/Timing.h"
#include "graphics/AlphaBlend.h"
#include "graphics/Dib.h"
#include "graphics/ImageStrips.h"
#include "graphics/MemoryDC.h"
#include "graphics/SkinEffects.h"
#include "graphics/SkinImage.h"

namespace {

// A 96 x 24 Targa strip with a soft round shape in each 24-pixel frame.
std::vector<uint8_t> MakeStrip() {
    const int width = 96, height = 24;
    std::vector<uint8_t> bytes(18, 0);
    bytes[2] = 2;
    bytes[12] = width;
    bytes[14] = height;
    bytes[16] = 32;
    bytes[17] = 0x28;
    for (int row = 0; row < height; ++row) {
        for (int col = 0; col < width; ++col) {
            const int dx = col % 24 - 12, dy = row - 12;
            const int alpha = dx * dx + dy * dy < 100 ? 255 : (dx * dx + dy * dy < 144 ? 96 : 0);
            const uint8_t pixel[4] = {uint8_t(col * 2), uint8_t(row * 10), 180, uint8_t(alpha)};
            bytes.insert(bytes.end(), pixel, pixel + 4);
        }
    }
    return bytes;
}

void Measure(const char* name, int iterations, const std::function<void(int)>& operation) {
    std::printf("%-40s %10.0f ns/op  (%d ops)\n", name, NanosecondsPerCall(iterations, operation), iterations);
}

}  // namespace

int main() {
    if (!AlphaBlendAvailable()) {
        std::printf("msimg32.dll or its AlphaBlend is missing\n");
        return 1;
    }
    const std::vector<uint8_t> tga = MakeStrip();
    SkinStrip strip;
    strip.SetFrames(24, DecodeSkinFrames(tga.data(), tga.size(), 24, true));

    MemoryDC target;
    const Bitmap canvas(CreateDib(target.GetDC(), 256, 256, 32, DibOrder::TopDown, nullptr));
    target.Select(canvas.Get());
    HDC dc = target.GetDC();

    MemoryDC frame(strip.Frame(1));
    Measure("AlphaBlend of a 24 x 24 frame", 20000, [&](int i) {
        BlendPremultiplied(dc, (i * 7) % 232, (i * 3) % 232, 24, 24, frame.GetDC(), 0, 0, 24, 24);
    });
    Measure("SkinStrip::DrawFrame, 24 x 24", 20000,
            [&](int i) { strip.DrawFrame(i % 4, dc, (i * 7) % 232, (i * 3) % 232); });
    Measure("DrawTintedFrame, 24 x 24, variant 3", 5000,
            [&](int i) { DrawTintedFrame(dc, strip, i % 4, 3, (i * 7) % 232, (i * 3) % 232); });
    return 0;
}
