// The tile list on a hidden window over synthetic records with the program's art: rebuilt, fitted,
// dragged (the driver told), clicked, tips and light; then the monitoring window over such records.
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>
#include "framework/FrameChrome.h"
#include "framework/SharedLook.h"
#include "graphics/StartupStrips.h"
#include "model/Alerts.h"
#include "model/DeviceTree.h"
#include "model/DriverInterface.h"
#include "monitor/DeviceTileList.h"
#include "monitor/MonitorWindow.h"
#include "monitor/TileArt.h"
#include "monitor/TileGeometry.h"
#include "tests/unit/framework/ElementHost.h"
#include "tests/unit/graphics/TestArt.h"
#include "tests/unit/model/SyntheticTopology.h"

namespace {

struct Device { const char* key; uint8_t severity, statusCode, portType, port, hubNumber; bool connected = true; };
const std::vector<Device> kFive{{"mouse", 0, 0, 0, 1, 1}, {"disk", 3, 4, 1, 2, 3}, {"cam", 2, 4, 2, 3, 1},
                                {"printer", 3, 1, 3, 4, 2}, {"keys", 4, 3, 0, 12, 4}};
std::vector<std::string> moves;  // what the driver was asked, in order: "up 2 disk"

int Moved(const char* way, void* record, int places) {  // the key is the record's ANSI text at 0x008
    const char* key = reinterpret_cast<const char*>(*reinterpret_cast<uint32_t*>(uintptr_t(record) + 8));
    return moves.push_back(std::string(way) + " " + std::to_string(places) + " " + key), 1;
}

class TileList : public ::testing::Test, public MonitorHost {
protected:
    static void SetUpTestSuite() {
        RegisterElxWndClass(GetModuleHandleA(nullptr));
        LoadSharedLook(GetModuleHandleA(nullptr));
        LoadStartupStrips();
        LoadTileImages();
        DriverInterface::Instance().UseEntryPoints({[](HWND, const void*) -> void* { return nullptr; },
                                                    [] { return 1; }, [](void* r, int n) { return Moved("up", r, n); },
                                                    [](void* r, int n) { return Moved("down", r, n); },
                                                    [](int, int) { return 1; }, [] { return 1; }});
    }
    void SetUp() override {
        moves.clear();
        host.root.SetSize(185, 200);
        list.SetHost(this);
    }
    void OpenDetails(DeviceNode& node) override { opened += node.KeyName().Chars(); }
    bool IsOptionsDialogOpen() override { return optionsOpen; }
    void CloseDetails() override {}
    void SetTrayImage(int image) override { trayImages.push_back(image); }

    // Records in ring order after the system record; the old ones stay readable meanwhile.
    void Build(const std::vector<Device>& devices) {
        auto fresh = std::make_unique<SyntheticTopology>();
        SyntheticTopology& t = *fresh;
        const uintptr_t computer = t.NewNode(0x80);
        t.SetWide(computer, 0x1C, L"WORKBENCH");
        const HTREEITEM top = t.Insert(nullptr, computer, "WORKBENCH");
        std::vector<uintptr_t> records{t.NewRecord(0x80, "Computer", computer)};
        for (const Device& d : devices) {
            const uintptr_t node = d.connected ? t.NewNode(0x83) : 0;
            records.push_back(t.NewRecord(0x83, d.key, node));
            if (node) t.SetU8(node, 0x78, d.severity), t.SetU8(node, 0x88, d.statusCode), t.Insert(top, node, d.key);
            t.SetU16(records.back(), 0x172, d.port);
            t.SetU8(records.back(), 0x174, d.portType);
            t.SetU8(records.back(), 0x175, d.hubNumber);
        }
        t.LinkRingA(records);
        t.SetRoot(records[0], records[0], top);
        tree.Attach(t.TreeWindow(), t.RootBlock());
        tree.DiscardHandles();
        tree.Rebuild();
        list.Rebuild();
        topo = std::move(fresh);
    }
    void ShowRows(int rows) { list.SetBounds(kListX, kListY, tiles::kWidth, tiles::ColumnHeight(rows)); }
    POINT RowCentre(int row) const {  // in window coordinates
        const DeviceTile* tile = list.TileAt(list.FirstVisible() + row);
        return POINT{kListX + 80, kListY + tile->Y() + tiles::ContentTop(tile->PositionKind()) + 9};
    }
    std::string Shown() const {
        std::string shown;
        for (int i = 0; i < list.NodeCount(); ++i) shown += std::string(list.TileAt(i)->Node().KeyName().Chars()) + " ";
        return shown;
    }
    void Drag(int row, int toY, int toX = kListX + 80) {
        const POINT p = RowCentre(row);
        host.Down(p.x, p.y);
        host.Move(toX, toY);
        host.Up(toX, toY);
    }
    static constexpr int kListX = 24, kListY = 18;
    elements_test::HostWindow host;
    std::unique_ptr<SyntheticTopology> topo;
    DeviceTree& tree = TheDeviceTree();  // the monitoring window shows this one
    DeviceTileList list{&host.root, tree};
    std::string opened;
    bool optionsOpen = false;
    std::vector<int> trayImages;
};

TEST_F(TileList, RebuildShowsConnectedDevicesInRingOrderAndEndsADragOnTheOldTiles) {
    Build({kFive[0], kFive[1], {"cam", 2, 4, 2, 3, 1, false}, kFive[3], kFive[4]});
    EXPECT_EQ(Shown(), "System mouse disk printer keys ");
    Build(kFive);
    ShowRows(3);
    list.SetSize(tiles::kWidth, tiles::ColumnHeight(3) - 1);
    EXPECT_EQ(list.VisibleCount(), 2);
    ShowRows(3);
    EXPECT_EQ(list.TileAt(1)->Y(), 35) << "tiles stack after the taller first one";
    while (list.ScrollDown()) {}
    EXPECT_EQ(list.FirstVisible(), 3);  // rows 3 to 5 of six: cam printer keys
    const POINT p = RowCentre(0);
    host.Down(p.x, p.y);
    host.Move(p.x, RowCentre(1).y);
    // A topology change under the drag: fewer nodes pull the rows back, and the old tiles
    // go with the drag; the rest of the gesture reaches fresh tiles never pressed.
    Build({kFive[0], kFive[1], kFive[2]});
    EXPECT_EQ(list.FirstVisible(), 1);
    EXPECT_FALSE(list.CanScrollDown());
    EXPECT_EQ(host.root.Captured(), nullptr);
    host.Up(p.x, RowCentre(0).y);
    EXPECT_EQ(moves, (std::vector<std::string>{"down 1 cam"}));
    EXPECT_EQ(opened, "");
}

TEST_F(TileList, DragsMoveToTheRowUnderThePointerAndTellTheDriverAndClicksOpenTheDetails) {
    Build(kFive);
    ShowRows(4);
    ASSERT_TRUE(list.ScrollDown());  // rows show mouse disk cam printer
    Drag(3, RowCentre(3).y, kListX + tiles::kWidth + 5);  // off the tile within its own row: no move
    Drag(3, RowCentre(1).y);
    Drag(1, -200);  // far above the list: onto the first shown row
    Drag(0, 900);   // far below: onto the last shown row, never beyond
    EXPECT_EQ(moves, (std::vector<std::string>{"up 2 printer", "up 1 printer", "down 3 printer"}));
    EXPECT_EQ(Shown(), "System mouse disk cam printer keys ");
    EXPECT_EQ(opened, "");

    Drag(2, RowCentre(2).y);  // a click
    optionsOpen = true;  // a press is refused: no capture, no click
    Drag(1, RowCentre(1).y);
    optionsOpen = false;
    EXPECT_EQ(opened, "cam");
    ShowRows(1);
    Drag(0, 900);
    EXPECT_EQ(moves.size(), 3u) << "one row never reorders";
}

TEST_F(TileList, TooltipsByAreaAndTheLightFrameOfTheStatusCode) {
    Build({kFive[0], kFive[1], kFive[4]});
    ShowRows(4);
    POINT marker{20, 10}, badge{70, 10}, margin{20, 0}, icon{40, 10};
    DeviceTile& disk = *list.TileAt(2);
    EXPECT_EQ(disk.GetTooltip(&marker), String("HARMLESS FAILURE"));
    EXPECT_EQ(disk.GetTooltip(&badge), String("Plugged into port B of hub 3"));
    EXPECT_EQ(disk.GetTooltip(&margin), String("Push for details, drag to reorder"));
    EXPECT_EQ(list.TileAt(0)->GetTooltip(&icon), String("WORKBENCH"));

    const auto square = [&](int row, int frame) {  // the painted light, or the strip's frame
        const e2e::Image painted = elements_test::PaintTree(host.root);
        const DeviceTile* tile = list.TileAt(row);
        const int top = kListY + tile->Y() + tiles::ContentTop(tile->PositionKind()) + 2;
        TestCanvas strip(13, 13, 0);
        if (frame >= 0) DrawLightFrame(strip.Dc(), frame, 0, 0);
        std::vector<uint32_t> pixels;
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < 13; ++x)
                pixels.push_back(frame < 0 ? painted.At(kListX + 108 + x, top + y) : strip.Pixel(x, y));
        return pixels;
    };
    EXPECT_EQ(square(1, -1), square(1, 4));  // the mouse, status code 0
    EXPECT_EQ(square(2, -1), square(2, 0));  // the disk, status code 4
    e2e::SaveScreenshot(elements_test::PaintTree(host.root), "device_tile_list");
}

TEST_F(TileList, MonitorCollapsesAndAlertsEndAsTheyBeganAndItsTimersWaitForTheTopology) {
    Build(kFive);
    LoadMonitorPlacement();
    MonitorWindow monitor(*this);
    const HWND window = monitor.Handle();
    const auto height = [&] { RECT r{}; return GetWindowRect(window, &r), int(r.bottom - r.top); };
    const int oneRow = height();
    // Every device unplugged while three rows show: one tile, which neither grip nor button grows.
    SetWindowPos(window, nullptr, 0, 0, 185, 140, SWP_NOMOVE | SWP_NOZORDER);
    Build({});
    monitor.Rebuild();
    const int shrunk = height();
    monitor.OnCommand(FrameChrome::kMaximizeCommand);
    MINMAXINFO limits{};
    SendMessageA(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ((std::vector<int>{shrunk, height(), int(limits.ptMaxTrackSize.y)}), std::vector<int>(3, oneRow));
    // Six again, three rows shown: collapsed, then those three again rather than every node.
    Build(kFive);
    monitor.Rebuild();
    SetWindowPos(window, nullptr, 0, 0, 185, 140, SWP_NOMOVE | SWP_NOZORDER);
    for (int expected : {1, 3}) {
        monitor.OnCommand(FrameChrome::kMaximizeCommand);
        EXPECT_EQ(monitor.Tiles().VisibleCount(), expected);
    }
    monitor.SetAlert(FindAlerts(tree, sensitivity::kEveryError));  // the disk of the third row among them
    const e2e::Image before = elements_test::PaintTree(monitor.Root());
    const DeviceTile* disk = monitor.Tiles().TileAt(2);
    const int x = kListX + 114, y = kListY + disk->Y() + tiles::ContentTop(disk->PositionKind()) + 8;  // its light
    HDC dc = GetDC(window);
    SetPixel(dc, x, y, 0);
    // Not ready while the model is rebuilt after a topology change; then three steps, ending in the alert phase.
    struct Step { bool ready; std::vector<int> trayImages; bool markersShown; } steps[] = {
        {false, {}, true}, {true, {4}, false}, {true, {4, 0}, true}, {true, {4, 0, 4}, false}};
    for (const Step& step : steps) {
        SetTopologyReady(step.ready);
        for (UINT timer : {MonitorWindow::kActivityTimer, MonitorWindow::kAlertTimer}) SendMessageA(window, WM_TIMER, timer, 0);
        EXPECT_EQ(GetPixel(dc, x, y) != 0, step.ready) << "the light under the timer";
        EXPECT_EQ(trayImages, step.trayImages) << "the flash step";
        EXPECT_EQ(elements_test::PaintTree(monitor.Root()).pixels == before.pixels, step.markersShown) << "the markers";
    }
    ReleaseDC(window, dc);
    monitor.SetAlert({});
    EXPECT_EQ(trayImages, (std::vector<int>{4, 0, 4, 0}));
    EXPECT_TRUE(elements_test::PaintTree(monitor.Root()).pixels == before.pixels) << "the markers stayed hidden";
    // Collapsed from three rows, then only two nodes left: expanding shows those two.
    monitor.OnCommand(FrameChrome::kMaximizeCommand);
    Build({kFive[0]});
    monitor.Rebuild();
    monitor.OnCommand(FrameChrome::kMaximizeCommand);
    EXPECT_EQ(monitor.Tiles().VisibleCount(), 2);
    EXPECT_EQ(height(), int(limits.ptMaxTrackSize.y) + 29);
}

}  // namespace
