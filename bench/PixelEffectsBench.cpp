// How much the bits path saves over one GetPixel/SetPixel pair per pixel, for the sizes the
// program draws: a 51 x 51 glow, a depth-5 bevel on a 600 x 480 dialog, a 300-pixel line.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "bench/Timing.h"
#include "graphics/Dib.h"
#include "base/HandleOwners.h"
#include "graphics/MemoryDC.h"
#include "graphics/PixelEffects.h"

namespace {

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The two paths take turns for several rounds, and each reports its median round, so that a
// round slowed by other work on the machine does not decide the ratio.
void Compare(const char* name, int calls, const std::function<void(int, PixelPath)>& draw) {
    constexpr int kRounds = 15;
    std::vector<double> bits, perPixel;
    for (int round = 0; round < kRounds; ++round) {
        bits.push_back(NanosecondsPerCall(calls, [&](int i) { draw(i, PixelPath::Bits); }));
        perPixel.push_back(NanosecondsPerCall(calls / 10 + 1, [&](int i) { draw(i, PixelPath::PerPixel); }));
    }
    const double fast = Median(bits), slow = Median(perPixel);
    std::printf("%-36s bits %10.0f ns   per pixel %12.0f ns   ratio %6.1f\n", name, fast, slow, slow / fast);
}

}  // namespace

int main() {
    // The off-screen surface's kind of bitmap: 24-bit, top-down.
    MemoryDC target;
    const Bitmap canvas(CreateDib(target.GetDC(), 600, 480, 24, DibOrder::TopDown, nullptr));
    target.Select(canvas.Get());
    HDC dc = target.GetDC();
    if (!HasDirectPixels(dc)) {
        std::printf("the bits path does not take this surface\n");
        return 1;
    }
    const RECT all{0, 0, 600, 480};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));

    // The glow alternates colours so that every call finds key pixels to shade.
    Compare("glow 51 x 51", 200, [&](int i, PixelPath path) {
        const COLORREF a = RGB(255, 255, 255), b = RGB(90, 140, 230);
        DrawGlow(dc, 300, 240, i % 2 ? a : b, i % 2 ? b : a, path);
    });
    Compare("bevel depth 5 on 600 x 480", 200,
            [&](int, PixelPath path) { DrawBevel(dc, 1, 1, 598, 478, 5, path); });
    Compare("anti-aliased line, 300 pixels", 500,
            [&](int i, PixelPath path) { DrawAntialiasedLine(dc, 100, 100 + i % 7, 400, 210, RGB(30, 50, 120), path); });
    // What finding the bits costs by itself: one pixel is cheaper through GDI.
    Compare("one blended pixel", 2000,
            [&](int i, PixelPath path) { BlendPixel(dc, i % 600, 5, RGB(30, 50, 120), 7, path); });
    return 0;
}
