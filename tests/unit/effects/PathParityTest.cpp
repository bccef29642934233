// The bits path and the GetPixel/SetPixel path leave exactly the same bytes behind, on
// every DIB layout the fast path takes, with and without a moved origin and a clip.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "graphics/Dib.h"
#include "base/HandleOwners.h"
#include "graphics/MemoryDC.h"
#include "graphics/PixelEffects.h"
#include "graphics/PixelEffectsBits.h"
#include "graphics/Surface.h"

namespace {

constexpr int kWidth = 37, kHeight = 29;  // odd, so 24-bit rows carry padding
constexpr COLORREF kKey = RGB(255, 255, 255);

struct Format {
    int bits;
    DibOrder order;
};
const Format kFormats[] = {{24, DibOrder::TopDown}, {24, DibOrder::BottomUp}, {32, DibOrder::TopDown},
                           {32, DibOrder::BottomUp}};

// A DIB in a memory DC, filled with the key colour broken by a pattern of other colours
// (and a non-zero fourth byte on 32-bit pixels, which a write must treat as SetPixel does).
class TestDib {
public:
    explicit TestDib(Format format) : format_(format) {
        bitmap_.Reset(CreateDib(dc_.GetDC(), kWidth, kHeight, WORD(format.bits), format.order, &bits_));
        dc_.Select(bitmap_.Get());
        auto* bytes = static_cast<uint8_t*>(bits_);
        const size_t step = size_t(format.bits / 8);
        for (int row = 0; row < kHeight; ++row) {
            for (int col = 0; col < kWidth; ++col) {
                uint8_t* p = bytes + size_t(row) * DibRowBytes(kWidth, format.bits) + size_t(col) * step;
                const bool other = (col * 7 + row * 3) % 11 == 0;
                p[0] = other ? uint8_t(col * 5) : 255;
                p[1] = other ? uint8_t(row * 9) : 255;
                p[2] = other ? 40 : 255;
                if (step == 4) p[3] = 0x80;
            }
        }
    }
    HDC Dc() const { return dc_.GetDC(); }
    std::vector<uint8_t> Bytes() const {
        GdiFlush();
        const auto* bytes = static_cast<const uint8_t*>(bits_);
        return {bytes, bytes + DibRowBytes(kWidth, format_.bits) * kHeight};
    }

private:
    Format format_;
    MemoryDC dc_;
    Bitmap bitmap_;
    void* bits_ = nullptr;
};

using Draw = std::function<void(HDC, PixelPath)>;
struct Effect {
    std::string name;
    Draw draw;
    bool visible = true;  // whether it reaches the bitmap at all
};

std::vector<Effect> Effects() {
    std::vector<Effect> effects = {
        {"bevel depth 5", [](HDC dc, PixelPath p) { DrawBevel(dc, 1, 1, kWidth - 2, kHeight - 2, 5, p); }},
        {"bevel past the edges", [](HDC dc, PixelPath p) { DrawBevel(dc, -2, -3, kWidth + 1, kHeight, 7, p); }},
        {"bevel deeper than the rect", [](HDC dc, PixelPath p) { DrawBevel(dc, 10, 4, 20, 9, 40, p); }},
        {"line helpers", [](HDC dc, PixelPath p) {
             LightenLineH(dc, -5, 3, kWidth + 5, 30, p);
             DarkenLineH(dc, 20, 6, 2, 50, p);  // reversed: nothing
             LightenLineV(dc, 4, -1, 12, 70, p);
             DarkenLineV(dc, kWidth - 1, 0, kHeight + 9, 10, p);
         }},
    };
    // Lines from inside to every octant, through and past the edges.
    const int ends[][2] = {{30, 2}, {30, 12}, {25, 27}, {19, 40}, {12, 40}, {1, 27}, {-8, 12}, {-8, 2},
                           {5, -9}, {33, -4}, {18, 14}, {18, 3}, {45, 14}, {-3, -3}};
    for (const auto& end : ends) {
        const int x = end[0], y = end[1];
        effects.push_back({"line to " + std::to_string(x) + "," + std::to_string(y),
                           [x, y](HDC dc, PixelPath p) { DrawAntialiasedLine(dc, 18, 14, x, y, RGB(20, 60, 200), p); }});
    }
    effects.push_back({"line wholly outside", [](HDC dc, PixelPath p) {
                           DrawAntialiasedLine(dc, -30, -10, -2, 50, RGB(0, 0, 0), p);
                       }, false});
    const int centres[][2] = {{0, 0}, {kWidth - 1, kHeight - 1}, {-10, 14}, {18, kHeight + 20}, {18, 14}};
    for (const auto& centre : centres) {
        const int x = centre[0], y = centre[1];
        effects.push_back({"glow at " + std::to_string(x) + "," + std::to_string(y),
                           [x, y](HDC dc, PixelPath p) { DrawGlow(dc, x, y, RGB(90, 140, 230), kKey, p); }});
    }
    effects.push_back({"glow wholly outside",
                       [](HDC dc, PixelPath p) { DrawGlow(dc, -60, -60, RGB(0, 0, 0), kKey, p); }, false});
    effects.push_back({"blends at every weight", [](HDC dc, PixelPath p) {
                           for (int w = -1; w <= 16; ++w) {
                               BlendPixel(dc, w + 2, 5, RGB(200, 30, 90), w, p);
                               BlendPixel(dc, w + 2, 6, RGB(0, 0, 0), w, p);
                               BlendPixel(dc, kWidth - 1, w + 2, RGB(255, 255, 0), w, p);
                               BlendPixel(dc, -1, w, RGB(0, 0, 0), w, p);
                           }
                       }});
    return effects;
}

// How the DC is set up before drawing; the bits path must follow GDI's origin and clip.
struct DcSetup {
    const char* name;
    std::function<void(HDC)> apply;
};
const DcSetup kDcSetups[] = {
    {"plain", [](HDC) {}},
    {"moved origin", [](HDC dc) { SetViewportOrgEx(dc, 5, -3, nullptr); }},
    {"two-part clip", [](HDC dc) {
         GdiObject<HRGN> a(CreateRectRgn(2, 2, 20, 15)), b(CreateEllipticRgn(15, 10, 36, 28));
         CombineRgn(a.Get(), a.Get(), b.Get(), RGN_OR);
         SelectClipRgn(dc, a.Get());
     }},
    {"empty clip and moved window origin", [](HDC dc) {
         SetWindowOrgEx(dc, -4, 2, nullptr);
         GdiObject<HRGN> nothing(CreateRectRgn(0, 0, 0, 0));
         SelectClipRgn(dc, nothing.Get());
     }},
};

TEST(PixelPaths, BitsAndPerPixelGiveIdenticalBytes) {
    const std::vector<Effect> effects = Effects();
    for (const Format& format : kFormats) {
        for (const DcSetup& setup : kDcSetups) {
            for (const Effect& effect : effects) {
                TestDib fast(format), slow(format);
                setup.apply(fast.Dc());
                setup.apply(slow.Dc());
                ASSERT_TRUE(HasDirectPixels(fast.Dc())) << format.bits << " " << setup.name;
                const std::vector<uint8_t> before = fast.Bytes();
                effect.draw(fast.Dc(), PixelPath::Bits);
                effect.draw(slow.Dc(), PixelPath::PerPixel);
                const std::vector<uint8_t> a = fast.Bytes(), b = slow.Bytes();
                size_t first = 0;
                while (first < a.size() && a[first] == b[first]) ++first;
                EXPECT_EQ(first, a.size()) << effect.name << ", " << format.bits << "-bit "
                                           << (format.order == DibOrder::TopDown ? "top-down" : "bottom-up") << ", "
                                           << setup.name << ": first differing byte, "
                                           << (first < a.size() ? int(a[first]) : -1) << " against "
                                           << (first < a.size() ? int(b[first]) : -1) << ", was "
                                           << (first < a.size() ? int(before[first]) : -1);
                // Unless nothing can show, a drawing that changed nothing would prove little.
                const bool shows = effect.visible && std::string(setup.name) != "empty clip and moved window origin";
                EXPECT_EQ(a != before, shows) << effect.name << ", " << setup.name;
            }
        }
    }
}

TEST(PixelPaths, OnlyPlainDibSectionsOfTwentyFourAndThirtyTwoBitsGoStraightToTheBits) {
    MemoryDC dc;
    const Bitmap sixteen(CreateDib(dc.GetDC(), 8, 8, 16, DibOrder::TopDown, nullptr));
    dc.Select(sixteen.Get());
    EXPECT_FALSE(HasDirectPixels(dc.GetDC()));

    const WindowDC screen(nullptr);
    const Bitmap device(CreateCompatibleBitmap(screen.Get(), 8, 8));
    MemoryDC deviceDc(device.Get());
    EXPECT_FALSE(HasDirectPixels(deviceDc.GetDC()));
    EXPECT_FALSE(HasDirectPixels(screen.Get()));

    TestDib scaled({24, DibOrder::TopDown});
    SetMapMode(scaled.Dc(), MM_LOMETRIC);
    EXPECT_FALSE(HasDirectPixels(scaled.Dc()));
    TestDib turned({32, DibOrder::TopDown});
    SetGraphicsMode(turned.Dc(), GM_ADVANCED);
    const XFORM rotate{0.0f, 1.0f, -1.0f, 0.0f, 0.0f, 0.0f};
    SetWorldTransform(turned.Dc(), &rotate);
    EXPECT_FALSE(HasDirectPixels(turned.Dc()));
}

TEST(PixelPaths, AWindowsOffScreenSurfaceGoesStraightToTheBits) {
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 60, 40, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    {
        const WindowDC target(window);
        Surface surface(window);
        HDC dc = surface.Begin(target.Get());
        ASSERT_NE(dc, target.Get());
        EXPECT_TRUE(HasDirectPixels(dc));
        // Begin cleared it to white: a glow on white shades the centre to its colour.
        DrawGlow(dc, 30, 20, RGB(10, 20, 30), RGB(255, 255, 255));
        EXPECT_EQ(GetPixel(dc, 30, 20), RGB(10, 20, 30));
    }
    DestroyWindow(window);
}

}  // namespace
