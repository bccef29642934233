// The 24 x 24 node pictures, drawn from synthetic device records with the program's own
// art, compared with the pieces they are made of.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <vector>

#include "framework/SharedLook.h"
#include "graphics/Dib.h"
#include "base/HandleOwners.h"
#include "graphics/MemoryDC.h"
#include "framework/NodePictures.h"
#include "graphics/PixelEffects.h"
#include "graphics/SkinEffects.h"
#include "graphics/StartupStrips.h"
#include "model/DeviceTree.h"
#include "tests/e2e/driver/Capture.h"
#include "tests/unit/model/SyntheticTopology.h"

namespace {

constexpr int kX = 8, kY = 4;  // the picture's place on a canvas with room around it
constexpr uint16_t kUsb2 = 0x8000;

// A 40 x 32 canvas of one grey, so that pictures are compared whole, margins included.
class Canvas {
public:
    Canvas() {
        bitmap_.Reset(CreateDib(dc_.GetDC(), 40, 32, 32, DibOrder::TopDown, &bits_));
        dc_.Select(bitmap_.Get());
        auto* p = static_cast<uint32_t*>(bits_);
        for (int i = 0; i < 40 * 32; ++i) p[i] = 0x00B4B4B4;
    }
    HDC Dc() const { return dc_.GetDC(); }
    std::vector<uint32_t> Pixels() const {
        GdiFlush();
        const auto* p = static_cast<const uint32_t*>(bits_);
        return {p, p + 40 * 32};
    }
    static std::vector<uint32_t> Of(const std::function<void(HDC)>& draw) {
        Canvas canvas;
        draw(canvas.Dc());
        return canvas.Pixels();
    }

private:
    MemoryDC dc_;
    Bitmap bitmap_;
    void* bits_ = nullptr;
};

void Label(HDC dc, SharedFont font, const char* text, int y, COLORREF color) {
    const SelectGuard selected(dc, GetSharedFont(font));
    SetTextColor(dc, color);
    SetTextAlign(dc, TA_CENTER | TA_TOP);
    SetBkMode(dc, TRANSPARENT);
    TextOutA(dc, kX + 12, kY + y, text, static_cast<int>(std::strlen(text)));
}

// A plate with its two labels as the hub picture should show them.
std::vector<uint32_t> LabelledPlate(int frame, const char* kind, const char* port, COLORREF color) {
    return Canvas::Of([&](HDC dc) {
        DrawHubPlate(dc, frame, kX, kY);
        Label(dc, SharedFont::Smallest, kind, 2, color);
        Label(dc, SharedFont::Small, port, 10, color);
    });
}

class NodePictures : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        LoadSharedLook(GetModuleHandleA(nullptr));
        LoadStartupStrips();
    }
    static void TearDownTestSuite() { ReleaseSharedLook(); }

    SyntheticTopology topo;
    DeviceTree tree;
    uintptr_t computer = topo.NewNode(0x80), system = topo.NewRecord(0x80, "Computer");
    uintptr_t rootHubNode = topo.NewNode(0x82), rootHub = topo.NewRecord(0x82, "root");
    uintptr_t outerHubNode = topo.NewNode(0x82), outerHub = topo.NewRecord(0x82, "outer");
    uintptr_t darkHubNode = topo.NewNode(0x82), darkHub = topo.NewRecord(0x82, "dark");
    uintptr_t goneHub = topo.NewRecord(0x82, "gone");
    uintptr_t mouseNode = topo.NewNode(0x83), mouse = topo.NewRecord(0x83, "mouse");

    void SetUp() override {
        topo.Connect(system, computer);
        topo.Connect(rootHub, rootHubNode);
        topo.Connect(outerHub, outerHubNode);
        topo.Connect(darkHub, darkHubNode);
        topo.Connect(mouse, mouseNode);
        topo.SetU16(rootHub, 0x52, 0x0010);          // plate 1: plugged into the computer
        topo.SetU16(rootHubNode, 0x14, 1);
        topo.SetU8(rootHubNode, 0x21, 1);             // port labels in letters: "A"
        topo.SetU16(outerHub, 0x52, kUsb2 | 0x0000);  // plate 0, external, on USB 2.0
        topo.SetU16(outerHubNode, 0x14, 3);
        topo.SetU16(darkHub, 0x52, 0x0030);           // plate 3, dark, plugged into the computer
        topo.SetU16(darkHubNode, 0x14, 2);
        topo.SetU16(goneHub, 0x52, kUsb2 | 0x0020);   // plate 2, not connected
        const HTREEITEM top = topo.Insert(nullptr, computer, "PC");
        topo.Insert(top, rootHubNode, "Root hub");
        topo.Insert(top, outerHubNode, "Hub");
        topo.Insert(top, darkHubNode, "Dark hub");
        topo.Insert(top, mouseNode, "Mouse");
        const std::vector<uintptr_t> ring{system, rootHub, outerHub, darkHub, goneHub, mouse};
        topo.LinkRingA(ring);
        topo.LinkRingB(ring);
        topo.SetRoot(system, system, top);
        tree.Attach(topo.TreeWindow(), topo.RootBlock());
        tree.Rebuild();
    }

    DeviceNode& Node(uintptr_t record) { return *tree.HandleByRecord(record); }
    void SetDeviceFlags(uint16_t flags) { topo.SetU16(mouse, 0x52, flags); }
    std::vector<uint32_t> Picture(uintptr_t record) {
        return Canvas::Of([&](HDC dc) { DrawNodePicture(dc, Node(record), kX, kY); });
    }
};

TEST_F(NodePictures, DevicesShowTheirIconInTheirTintWithTheOverlayOnUsb2) {
    const std::vector<uint32_t> blank = Canvas::Of([](HDC) {});
    struct Case {
        const char* name;
        uint16_t flags;
        int icon, variant;
        bool overlay;
    };
    const Case cases[] = {
        {"plain icon", 4 << 4, 4, 0, false},
        {"tinted icon", (12 << 4) | 3, 12, 3, false},
        {"USB 2.0 icon", kUsb2 | (9 << 4), 9, 0, true},
        {"tinted USB 2.0 icon", kUsb2 | (9 << 4) | 5, 9, 5, true},
    };
    for (const Case& c : cases) {
        SetDeviceFlags(c.flags);
        const std::vector<uint32_t> picture = Picture(mouse);
        EXPECT_NE(picture, blank) << c.name;
        const std::vector<uint32_t> expected = Canvas::Of([&](HDC dc) {
            DrawTintedIcon(dc, c.icon, c.variant, kX, kY);
            if (c.overlay) DrawTintedIcon(dc, -1, 0, kX, kY);
        });
        EXPECT_EQ(picture, expected) << c.name;
    }
    // The overlay really shows: without it the picture differs.
    SetDeviceFlags(9 << 4);
    const std::vector<uint32_t> without = Picture(mouse);
    SetDeviceFlags(kUsb2 | (9 << 4));
    EXPECT_NE(Picture(mouse), without);
}

TEST_F(NodePictures, ConnectedHubsAreLabelledByKindAndPort) {
    EXPECT_EQ(Picture(rootHub), LabelledPlate(1, "USB", "A", RGB(0, 0, 0)));
    EXPECT_EQ(Picture(darkHub), LabelledPlate(3, "USB", "2", RGB(255, 255, 255)));
    EXPECT_EQ(Picture(outerHub), Canvas::Of([](HDC dc) {
                  DrawHubPlate(dc, 0, kX, kY);
                  DrawTintedIcon(dc, -1, 0, kX, kY);
                  Label(dc, SharedFont::Smallest, "HUB", 2, RGB(0, 0, 0));
                  Label(dc, SharedFont::Small, "3", 10, RGB(0, 0, 0));
              }));
    // The labels show at all: a plate alone is not the same picture.
    EXPECT_NE(Picture(rootHub), Canvas::Of([](HDC dc) { DrawHubPlate(dc, 1, kX, kY); }));
}

TEST_F(NodePictures, ADisconnectedHubShowsItsPlateAndOverlayWithoutLabels) {
    EXPECT_EQ(Picture(goneHub), Canvas::Of([](HDC dc) {
                  DrawHubPlate(dc, 2, kX, kY);
                  DrawTintedIcon(dc, -1, 0, kX, kY);
              }));
}

TEST_F(NodePictures, LabellingLeavesBlackTextAndTheCallersAlignment) {
    Canvas canvas;
    SetTextColor(canvas.Dc(), RGB(200, 0, 0));
    SetTextAlign(canvas.Dc(), TA_RIGHT | TA_BOTTOM);
    DrawHubPicture(canvas.Dc(), Node(darkHub), kX, kY);
    EXPECT_EQ(GetTextColor(canvas.Dc()), RGB(0, 0, 0));
    EXPECT_EQ(GetTextAlign(canvas.Dc()), UINT(TA_RIGHT | TA_BOTTOM));
    // The caller's alignment does not move the labels.
    EXPECT_EQ(canvas.Pixels(), LabelledPlate(3, "USB", "2", RGB(255, 255, 255)));
}

// A sample of everything this layer draws, in the look of a dialog: bevelled rim, a glowing
// row, connector lines in every direction and the node pictures. Drawn once on the bits and
// once pixel by pixel, the two must agree; the picture is kept for a look by eye.
TEST_F(NodePictures, SampleSheetIsTheSameOnBothPathsAndIsSaved) {
    const int width = 360, height = 150;
    std::vector<uint32_t> sheets[2];
    const PixelPath paths[2] = {PixelPath::Bits, PixelPath::PerPixel};
    for (int i = 0; i < 2; ++i) {
        MemoryDC dc;
        void* bits = nullptr;
        const Bitmap bitmap(CreateDib(dc.GetDC(), width, height, 32, DibOrder::TopDown, &bits));
        dc.Select(bitmap.Get());
        HDC d = dc.GetDC();
        const Brush face(CreateSolidBrush(RGB(214, 216, 220))), row(CreateSolidBrush(RGB(255, 255, 255)));
        const RECT all{0, 0, width, height}, selected{14, 14, 196, 44};
        FillRect(d, &all, face.Get());
        FillRect(d, &selected, row.Get());
        DrawBevel(d, 1, 1, width - 2, height - 2, 5, paths[i]);
        DrawGlow(d, 40, 29, RGB(120, 160, 235), RGB(255, 255, 255), paths[i]);
        DrawGlow(d, 196, 44, RGB(235, 170, 60), RGB(255, 255, 255), paths[i]);
        for (int k = 0; k < 16; ++k) {
            const double angle = k * 3.14159265358979 / 8;
            DrawAntialiasedLine(d, 280, 75, 280 + int(60 * std::cos(angle)), 75 + int(60 * std::sin(angle)),
                                RGB(30, 50, 120), paths[i]);
        }
        int x = 16;
        SetDeviceFlags(kUsb2 | (10 << 4) | 2);
        for (uintptr_t record : {rootHub, outerHub, darkHub, goneHub, mouse}) {
            DrawNodePicture(d, Node(record), x, 100);
            x += 32;
        }
        GdiFlush();
        const auto* p = static_cast<const uint32_t*>(bits);
        for (int j = 0; j < width * height; ++j) sheets[i].push_back(p[j] & 0xFFFFFF);
    }
    EXPECT_EQ(sheets[0], sheets[1]);
    e2e::Image image;
    image.width = width;
    image.height = height;
    image.pixels = sheets[0];
    EXPECT_FALSE(e2e::SaveScreenshot(image, "pixel_effects_sample").empty());
}

TEST(HubPlateFrame, TakesBitsFourToThirteen) {
    EXPECT_EQ(HubPlateFrame(0x0000), 0);
    EXPECT_EQ(HubPlateFrame(0x0010), 1);
    EXPECT_EQ(HubPlateFrame(0x8030), 3);  // the USB 2.0 bit is not part of it
    EXPECT_EQ(HubPlateFrame(0x000F), 0);  // nor the icon group bits
    EXPECT_EQ(HubPlateFrame(0x3FF0), 1023);
}

}  // namespace
