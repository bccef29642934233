// Text helpers, and the node pictures of synthetic records against the pieces each is drawn from.
#include <gtest/gtest.h>
#include <functional>
#include <tuple>
#include <vector>
#include "base/FormatText.h"
#include "base/HandleOwners.h"
#include "framework/NodePictures.h"
#include "framework/SharedLook.h"
#include "graphics/MemoryDC.h"
#include "graphics/SkinEffects.h"
#include "graphics/StartupStrips.h"
#include "graphics/TextHelpers.h"
#include "model/DeviceTree.h"
#include "tests/unit/graphics/TestArt.h"
#include "tests/unit/model/SyntheticTopology.h"

namespace {

TEST(FormatText, FillsDropsAndNeverReadsPastItsArguments) {
    const std::tuple<const char*, std::vector<String>, const char*> cases[] = {
        {"$1 before $0$0", {"a", "b"}, "b before aa"},
        {"cost $x here", {"1"}, "cost  here"},              // "$" and a letter both disappear
        {"100$$0", {"%"}, "1000"},                           // "$$" drops both, the 0 is text
        {"port $2 of $0 $", {"5"}, "port  of 5 "},           // no argument 2, nothing after "$"
        {"$0 stays", {"$1 literal"}, "$1 literal stays"},   // arguments are not read again
    };
    for (const auto& [format, args, expected] : cases)
        EXPECT_STREQ(FormatText(format, args.data(), args.size()).Chars(), expected) << format;
}

TEST(TextExtent, MeasuresTheWholeTextInTheFontGivenAndKeepsTheDcsFont) {
    MemoryDC dc;
    const Font large(CreateFontA(-24, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial"));
    const HGDIOBJ before = GetCurrentObject(dc.GetDC(), OBJ_FONT);
    const int one = TextExtent(dc.GetDC(), large.Get(), "HUB 12").cx;
    EXPECT_EQ(TextExtent(dc.GetDC(), large.Get(), "HUB 12HUB 12").cx, 2 * one);
    EXPECT_GT(one, TextExtent(dc.GetDC(), HFONT(GetStockObject(ANSI_VAR_FONT)), "HUB 12").cx);
    EXPECT_EQ(GetCurrentObject(dc.GetDC(), OBJ_FONT), before);
}

constexpr int kX = 8, kY = 4;  // the picture's place on a canvas with room around it
constexpr uint16_t kUsb2 = 0x8000;
using Pixels = std::vector<uint32_t>;

// A 40 x 32 grey canvas after draw, so that pictures are compared whole, margins included.
Pixels Draw(const std::function<void(HDC)>& draw) {
    TestCanvas canvas(40, 32, 0x00B4B4B4);
    draw(canvas.Dc());
    return canvas.Colours();
}

void Icon(HDC dc, int icon, int variant) { DrawTintedIcon(dc, icon, variant, kX, kY); }

class NodePictures : public ::testing::Test {
protected:
    // The art, and a computer with one hub, a second hub that is not connected and a device.
    void SetUp() override {
        LoadSharedLook(GetModuleHandleA(nullptr)), LoadStartupStrips();
        const uintptr_t computer = topo.NewNode(0x80), system = topo.NewRecord(0x80, "PC"), hub = topo.NewNode(0x82);
        topo.Connect(system, computer), topo.Connect(darkHub, hub);
        topo.SetU16(darkHub, 0x52, 0x0030);          // plate 3, dark, plugged into the computer
        topo.SetU16(hub, 0x14, 2);                    // on port 2
        topo.SetU16(goneHub, 0x52, kUsb2 | 0x0020);  // plate 2, on USB 2.0
        const HTREEITEM top = topo.Insert(nullptr, computer, "PC");
        topo.Insert(top, hub, "Hub");
        const std::vector<uintptr_t> ring{system, darkHub, goneHub, mouse};
        topo.LinkRingA(ring), topo.LinkRingB(ring);
        topo.SetRoot(system, system, top);
        tree.Attach(topo.TreeWindow(), topo.RootBlock()), tree.Rebuild();
    }
    void TearDown() override { ReleaseSharedLook(); }
    std::function<void(HDC)> Picture(uintptr_t record) {
        return [this, record](HDC dc) { DrawNodePicture(dc, *tree.HandleByRecord(record), kX, kY); };
    }

    SyntheticTopology topo;
    DeviceTree tree;
    const uintptr_t darkHub = topo.NewRecord(0x82, "dark"), goneHub = topo.NewRecord(0x82, "gone");
    const uintptr_t mouse = topo.NewRecord(0x83, "mouse");
};

// Devices show their icon in their tint; hubs their plate, and while connected "USB" (plugged into
// the computer) and the port, white on the dark plate, leaving black text and the caller's
// alignment; either with the overlay on USB 2.0.
TEST_F(NodePictures, EachNodeShowsItsIconOrPlateItsLabelsAndTheOverlayOnUsb2) {
    const int cases[][3] = {{4 << 4, 4, 0}, {(12 << 4) | 3, 12, 3}, {kUsb2 | 9 << 4, 9, 0}, {kUsb2 | 9 << 4 | 5, 9, 5}};
    for (const auto& [flags, icon, variant] : cases) {
        topo.SetU16(mouse, 0x52, uint16_t(flags));
        const Pixels parts = Draw([&](HDC dc) { Icon(dc, icon, variant), flags & kUsb2 ? Icon(dc, -1, 0) : void(); });
        EXPECT_EQ(Draw(Picture(mouse)), parts) << std::hex << flags;
    }
    EXPECT_NE(Draw(Picture(mouse)), Draw([](HDC dc) { Icon(dc, 9, 5); })) << "no overlay, or nothing drawn";
    const Pixels labelled = Draw([](HDC dc) {
        DrawHubPlate(dc, kDarkHubPlate, kX, kY);
        SetTextColor(dc, RGB(255, 255, 255)), SetTextAlign(dc, TA_CENTER | TA_TOP), SetBkMode(dc, TRANSPARENT);
        SelectObject(dc, GetSharedFont(SharedFont::Smallest)), TextOutA(dc, kX + 12, kY + 2, "USB", 3);
        SelectObject(dc, GetSharedFont(SharedFont::Small)), TextOutA(dc, kX + 12, kY + 10, "2", 1);
    });
    EXPECT_NE(labelled, Draw([](HDC dc) { DrawHubPlate(dc, kDarkHubPlate, kX, kY); })) << "no labels";
    EXPECT_EQ(Draw([&](HDC dc) {
                  SetTextAlign(dc, TA_RIGHT | TA_BOTTOM);
                  Picture(darkHub)(dc);
                  EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
                  EXPECT_EQ(GetTextAlign(dc), UINT(TA_RIGHT | TA_BOTTOM));
              }),
              labelled);
    EXPECT_EQ(Draw(Picture(goneHub)), Draw([](HDC dc) { DrawHubPlate(dc, 2, kX, kY), Icon(dc, -1, 0); }));
}

}  // namespace
