// A tile's texts and pixels over synthetic records: tooltips by area, the light frame of the
// status code, and a sample column kept as a picture.
#include <gtest/gtest.h>

#include "monitor/TileArt.h"
#include "monitor/TileGeometry.h"
#include "tests/unit/monitor/TileListFixture.h"

namespace monitor_test {
namespace {

const std::vector<DeviceSpec> kThree{{"mouse", 0, 0, 0, 1, 1}, {"disk", 3, 4, 1, 2, 3}, {"pad", 4, 2, 3, 5, 2}};

TEST_F(TileListTest, TooltipsNameTheMarkerBadgeLightAndComputer) {
    Build(kThree);
    ShowRows(4);
    DeviceTile& disk = *list.TileAt(2);
    POINT marker{20, 10}, badge{70, 10}, light{110, 10}, margin{20, 0};
    EXPECT_EQ(disk.GetTooltip(&marker), String("HARMLESS FAILURE"));
    EXPECT_EQ(disk.GetTooltip(&badge), String("Plugged into port B of hub 3"));
    EXPECT_EQ(disk.GetTooltip(&light), String("Real-time transmission light"));
    EXPECT_EQ(disk.GetTooltip(&margin), String("Push for details, drag to reorder"));
    POINT icon{40, 10};
    EXPECT_EQ(list.TileAt(0)->GetTooltip(&icon), String("WORKBENCH"));
    ShowRows(1);
    EXPECT_EQ(list.TileAt(0)->GetTooltip(&margin), String("Push for details"));
}

TEST_F(TileListTest, StatusCodeZeroShowsLightFrameFourAndTenWhilePressed) {
    Build(kThree);
    ShowRows(4);
    host.root.SetSize(185, 200);
    const auto lightArea = [&](int row) {
        const e2e::Image image = elements_test::PaintTree(host.root);
        const DeviceTile* tile = list.TileAt(row);
        std::vector<uint32_t> square;
        const int top = kListY + tile->Y() + tiles::ContentTop(tile->PositionKind()) + 2;
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < 13; ++x) square.push_back(image.At(kListX + 108 + x, top + y));
        return square;
    };
    const auto frame = [](int index) {
        std::vector<uint32_t> square;
        e2e::Image image;
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, 13, 13);
        HGDIOBJ old = SelectObject(dc, bitmap);
        DrawLightFrame(dc, index, 0, 0);
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < 13; ++x) {
                const COLORREF c = GetPixel(dc, x, y);
                square.push_back((GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c));
            }
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
        return square;
    };
    EXPECT_EQ(lightArea(1), frame(4));  // the mouse, status code 0
    EXPECT_EQ(lightArea(2), frame(0));  // the disk, status code 4
    EXPECT_NE(frame(4), frame(10));
    const POINT p = RowCentre(1);
    host.Down(p.x, p.y);
    EXPECT_EQ(lightArea(1), frame(10));
    host.Up(p.x, p.y);
    e2e::SaveScreenshot(elements_test::PaintTree(host.root), "device_tile_list");
}

}  // namespace
}  // namespace monitor_test
