#include "tests/unit/monitor/TileListFixture.h"

#include "framework/SharedLook.h"
#include "graphics/StartupStrips.h"
#include "model/DriverInterface.h"
#include "model/Layout.h"
#include "monitor/TileArt.h"
#include "monitor/TileGeometry.h"

namespace monitor_test {

std::vector<Move> TileListTest::moves;

namespace {

void* __cdecl NoStart(HWND, const void*) { return nullptr; }
int __cdecl NoStop() { return 1; }
int __cdecl MoveUp(void* record, int places) {
    TileListTest::moves.push_back({true, places, reinterpret_cast<uintptr_t>(record)});
    return 1;
}
int __cdecl MoveDown(void* record, int places) {
    TileListTest::moves.push_back({false, places, reinterpret_cast<uintptr_t>(record)});
    return 1;
}
int __cdecl NoLight(int, int) { return 1; }
int __cdecl NoSave() { return 1; }

}  // namespace

void TileListTest::SetUpTestSuite() {
    RegisterElxWndClass(GetModuleHandleA(nullptr));
    LoadSharedLook(GetModuleHandleA(nullptr));
    LoadStartupStrips();
    LoadTileImages();
    DriverInterface::Instance().UseEntryPoints({NoStart, NoStop, MoveUp, MoveDown, NoLight, NoSave});
}

void TileListTest::TearDownTestSuite() {
    DriverInterface::Instance().UseEntryPoints({});
    ReleaseSharedLook();
}

void TileListTest::SetUp() {
    moves.clear();
    host.root.SetSize(185, 400);
    list.SetHost(&detail);
}

void TileListTest::TearDown() { moves.clear(); }

void TileListTest::Build(const std::vector<DeviceSpec>& devices) {
    namespace L = layout;
    // The old records stay readable until the rebuild, as the library's do until its callback.
    auto fresh = std::make_unique<SyntheticTopology>();
    SyntheticTopology& t = *fresh;
    const uintptr_t computer = t.NewNode(L::kComputer), system = t.NewRecord(L::kComputer, "Computer");
    t.Connect(system, computer);
    t.SetWide(computer, L::computer::kDisplayName, L"WORKBENCH");
    const HTREEITEM top = t.Insert(nullptr, computer, "WORKBENCH");
    records_ = {system};
    for (const DeviceSpec& d : devices) {
        const uintptr_t record = t.NewRecord(L::kDevice, d.key);
        if (d.connected) {
            const uintptr_t node = t.NewNode(L::kDevice);
            t.Connect(record, node);
            t.SetU8(node, L::device::kSeverity, d.severity);
            t.SetU8(node, L::device::kStatusCode, d.statusCode);
            t.Insert(top, node, d.key);
        }
        t.SetU16(record, L::record::kFlags, static_cast<uint16_t>((records_.size() % 9 + 1) << 4));
        t.SetU16(record, L::record::kPort, d.port);
        t.SetU8(record, L::record::kPortDesignationType, d.portType);
        t.SetU8(record, L::record::kUpstreamHubNumber, d.hubNumber);
        records_.push_back(record);
    }
    t.LinkRingA(records_);
    t.LinkRingB(records_);
    t.SetRoot(system, system, top);
    tree.Attach(t.TreeWindow(), t.RootBlock());
    tree.DiscardHandles();
    tree.Rebuild();
    list.Rebuild();
    topo = std::move(fresh);
}

void TileListTest::ShowRows(int rows) { list.SetBounds(kListX, kListY, tiles::kWidth, tiles::ColumnHeight(rows)); }

POINT TileListTest::RowCentre(int row) const {
    const DeviceTile* tile = list.TileAt(list.FirstVisible() + row);
    return POINT{kListX + 80, kListY + tile->Y() + tiles::ContentTop(tile->PositionKind()) + 9};
}

std::vector<uintptr_t> TileListTest::ShownRecords() const {
    std::vector<uintptr_t> shown;
    for (int i = 0; i < list.NodeCount(); ++i) shown.push_back(list.TileAt(i)->Node().Record());
    return shown;
}

}  // namespace monitor_test
