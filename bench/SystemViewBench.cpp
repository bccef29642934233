// How long the system view takes at 10, 127 and 508 devices (hubs of devices, one hub per
// lettered root port, 127 at most on a hub):
//   - a full repaint of its 600 x 480 window, as WM_PAINT paints it (the root's PaintTo into
//     the window's DC), with nothing selected (halos drawn) and with a device selected (its
//     path glowing orange); once on the DIB-section surface, once on the compatible bitmap
//     the Windows 98 flag chooses, where the pixel effects go pixel by pixel;
//   - a topology change from the callback's point of view until both windows are painted:
//     the model rebuilt as the topology handler does, the monitor's tile list rebuilt and
//     repainted, then RefreshDetailFrame (tree rebuilt and laid out, pane reshown, one paint).
// Run it on a 24-bit screen (xvfb-run's default is 8-bit 640 x 480, which shrinks the window),
// with the Wine prefix started under the same kind of display: a prefix started with no
// display leaves the first program after it unable to make windows.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench/Timing.h"
#include "framework/ElxWnd.h"
#include "framework/RootElement.h"
#include "framework/SharedLook.h"
#include "graphics/DisplayChecks.h"
#include "graphics/StartupStrips.h"
#include "model/DeviceTree.h"
#include "model/Layout.h"
#include "monitor/DeviceTileList.h"
#include "monitor/TileArt.h"
#include "systemview/DetailFrame.h"
#include "systemview/SystemTree.h"
#include "systemview/SystemViewHost.h"
#include "systemview/TreeNodeView.h"
#include "tests/unit/model/SyntheticTopology.h"

namespace {

constexpr int kMaxPerHub = 127;
constexpr int kWidth = 600, kHeight = 480;

// Enough calls for about a quarter of a second, at least 5: repaints range from well under
// a millisecond to tens of them on the per-pixel path.
double MillisecondsPerCall(const std::function<void()>& operation) {
    LARGE_INTEGER frequency, start, stop;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    operation();
    GdiFlush();
    QueryPerformanceCounter(&stop);
    const double once = double(stop.QuadPart - start.QuadPart) / double(frequency.QuadPart);
    const int calls = std::clamp(int(0.25 / std::max(once, 1e-6)), 5, 500);
    return NanosecondsPerCall(calls, [&](int) { operation(); }) / 1e6;
}

void Report(const std::string& name, double ms, double target = 0) {
    std::printf("%-72s %7.2f ms", name.c_str(), ms);
    if (target > 0) std::printf("   (target < %.0f ms: %s)", target, ms < target ? "met" : "MISSED");
    std::printf("\n");
}

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

// The computer; per group of up to 127 devices an adapter with a lettered root hub, an
// external hub in its one port and the devices in the hub's ports. One device in five is
// in trouble, severities 1 to 4 in turn. Every record is in both rings, so the pane lists
// the hubs and the monitor shows every device.
struct Topology {
    SyntheticTopology topo;
    std::vector<uintptr_t> devices;  // records, left to right
};

std::unique_ptr<Topology> MakeTopology(int deviceCount) {
    namespace lay = layout;
    auto t = std::make_unique<Topology>();
    SyntheticTopology& topo = t->topo;
    std::vector<uintptr_t> ring;
    // The node, its record (none for an adapter) and its item.
    struct Made {
        uintptr_t node, record;
        HTREEITEM item;
    };
    const auto add = [&](HTREEITEM parent, uint8_t kind, const std::string& key, const wchar_t* name) {
        const uintptr_t node = topo.NewNode(kind);
        uintptr_t record = 0;
        if (kind != lay::kAdapter) {
            record = topo.NewRecord(kind, key.c_str(), node);
            if (name) {
                topo.SetInlineWide(record, lay::record::kUserName, name);
                topo.SetU16(record, lay::record::kUserNameSize, uint16_t(wcslen(name)));
            }
            ring.push_back(record);
        }
        return Made{node, record, topo.Insert(parent, node, "WORKBENCH")};
    };
    const Made computer = add(nullptr, lay::kComputer, "System", nullptr);
    topo.SetWide(computer.node, lay::computer::kDisplayName, L"WORKBENCH");
    const int groups = (deviceCount + kMaxPerHub - 1) / kMaxPerHub;
    for (int g = 0, first = 0; g < groups; ++g) {
        const int count = std::min(kMaxPerHub, deviceCount - first);
        const Made adapter = add(computer.item, lay::kAdapter, "", nullptr);
        const Made rootHub = add(adapter.item, lay::kHub, "root-" + std::to_string(g), L"Root Hub");
        topo.SetU8(rootHub.node, lay::hub::kPortCount, 1);
        topo.SetU8(rootHub.node, lay::hub::kUsesLetters, 1);
        topo.SetU16(rootHub.node, lay::hub::kNumber, uint16_t(g));
        const Made hub = add(rootHub.item, lay::kHub, "hub-" + std::to_string(g), L"Hub");
        topo.SetU8(hub.node, lay::hub::kPortCount, uint8_t(count));
        for (int i = 0; i < count; ++i, ++first) {
            static const wchar_t* const kNames[] = {L"Disk", L"Keyboard", L"Optical Mouse", L"Card Reader Slot",
                                                    L"Printer"};
            const std::wstring name = std::wstring(kNames[first % 5]) + L" " + std::to_wstring(first);
            const Made device = add(hub.item, lay::kDevice, "device-" + std::to_string(first), name.c_str());
            topo.SetU8(device.node, lay::device::kPort, uint8_t(i + 1));
            topo.SetU8(device.node, lay::device::kSeverity, uint8_t(first % 5 == 4 ? (first / 5) % 4 + 1 : 0));
            topo.SetU16(device.record, lay::record::kFlags, uint16_t((first % 25) << lay::flags::kIconNumberShift));
            t->devices.push_back(device.record);
        }
    }
    topo.LinkRingA(ring);
    topo.LinkRingB(ring);
    topo.SetRoot(computer.record, computer.record, computer.item);
    return t;
}

// What the topology handler does to the model.
void RebuildModel() {
    DeviceTree& model = TheDeviceTree();
    model.Rebuild();
    model.DiscardHandles();
}

BOOL CALLBACK KeepFrame(HWND window, LPARAM out) {
    auto* frame = dynamic_cast<DetailFrame*>(ElxWnd::FromHandle(window));
    if (frame) *reinterpret_cast<DetailFrame**>(out) = frame;
    return frame ? FALSE : TRUE;
}

DetailFrame* FindFrame() {
    DetailFrame* found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &KeepFrame, reinterpret_cast<LPARAM>(&found));
    return found;
}

// The real frame, opened on the computer at 600 x 480.
DetailFrame& OpenFrame() {
    OpenDetailFrame(TheDeviceTree().SystemRecord());
    DetailFrame* frame = FindFrame();
    if (!frame) {
        std::fprintf(stderr, "the system view did not open\n");
        std::exit(1);
    }
    frame->Resize(kWidth, kHeight);
    Pump();
    return *frame;
}

// The device whose view lies nearest the middle of the tree's visible area.
DeviceNode* MiddleDevice(const Topology& t, SystemTree& tree) {
    DeviceTree& model = TheDeviceTree();
    const int middle = tree.Offset().x + tree.Width() / 2;
    DeviceNode* best = nullptr;
    int bestDistance = 1 << 30;
    for (uintptr_t record : t.devices) {
        DeviceNode* node = model.HandleByRecord(record);
        const TreeNodeView* view = node->Item() ? tree.ViewFor(node->Item()) : nullptr;
        if (view && std::abs(view->CentreX() - middle) < bestDistance) {
            bestDistance = std::abs(view->CentreX() - middle);
            best = node;
        }
    }
    return best;
}

double TimedRepaint(DetailFrame& frame) {
    HDC dc = GetDC(frame.Handle());
    const double ms = MillisecondsPerCall([&] { frame.Root().PaintTo(dc); });
    ReleaseDC(frame.Handle(), dc);
    return ms;
}

void Repaints(const Topology& t, int devices, bool perPixel) {
    SetWindows98Flag(perPixel);
    DetailFrame& frame = OpenFrame();
    const char* surface = perPixel ? "per-pixel (Windows 98 flag)" : "DIB section";
    const double target = devices >= 508 ? 16 : devices >= 127 ? 8 : 0;
    frame.Tree().SelectRecord(nullptr);
    Report("repaint, " + std::to_string(devices) + " devices, nothing selected, " + surface, TimedRepaint(frame),
           perPixel ? 0 : target);
    OpenDetailFrame(MiddleDevice(t, frame.Tree()));
    Pump();
    Report("repaint, " + std::to_string(devices) + " devices, device selected, " + surface, TimedRepaint(frame),
           perPixel ? 0 : target);
    CloseDetailFrame();
    Pump();
    SetWindows98Flag(false);
}

void TopologyChange(int devices) {
    OpenFrame();
    // The monitor's tile list as the tile-list bench hosts it: 20 rows on its own window.
    ElxWnd window(nullptr, WS_POPUP, 0, true);
    const int height = 48 + 29 * 20;
    SetWindowPos(window.Handle(), nullptr, 0, 0, 185, height, SWP_NOZORDER | SWP_NOACTIVATE);
    RootElement root(window.Handle());
    root.SetSize(185, height);
    DeviceTileList list(&root, TheDeviceTree());
    list.SetBounds(24, 18, 137, height - 36);
    HDC dc = GetDC(window.Handle());
    const auto tiles = [&] {
        list.Rebuild();
        list.FitRows();
        root.PaintTo(dc);
    };
    tiles();
    Pump();
    const std::string at = ", " + std::to_string(devices) + " devices";
    // The windows keep old handles while the model alone is rebuilt; nothing paints until
    // both have moved to the new ones.
    Report("  model rebuild (Rebuild + DiscardHandles)" + at, MillisecondsPerCall(RebuildModel));
    tiles();
    RefreshDetailFrame();
    Report("  tile list rebuild + repaint" + at, MillisecondsPerCall(tiles));
    Report("  RefreshDetailFrame (tree rebuild, layout, pane, paint)" + at, MillisecondsPerCall([] {
               RefreshDetailFrame();
           }));
    Report("topology change: all of the above" + at, MillisecondsPerCall([&] {
               RebuildModel();
               tiles();
               RefreshDetailFrame();
               Pump();
           }),
           devices == 127 ? 20 : 0);
    ReleaseDC(window.Handle(), dc);
    CloseDetailFrame();
    Pump();
}

// No button of the system view is pressed here.
struct QuietHost : SystemViewHost {
    void ShowHelp(uint32_t) override {}
    bool RunSystemOptions(HWND) override { return false; }
    bool RunDeviceOptions(HWND, DeviceNode&) override { return false; }
    void ShowAbout() override {}
    void OpenUpdatePage() override {}
    void RepaintTiles() override {}
    void CopyReport(HWND) override {}
    void ShowHistory() override {}
};

}  // namespace

int main() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    QuietHost host;
    SystemView view(host);
    LoadLibraryA("msimg32.dll");
    LoadSharedLook(instance);
    RegisterElxWndClass(instance);
    LoadStartupStrips();
    LoadTileImages();
    for (int devices : {10, 127, 508}) {
        const std::unique_ptr<Topology> t = MakeTopology(devices);
        TheDeviceTree().Attach(t->topo.TreeWindow(), t->topo.RootBlock());
        RebuildModel();
        Repaints(*t, devices, false);
        Repaints(*t, devices, true);
        TopologyChange(devices);
        TheDeviceTree().Clear();
    }
    ReleaseSharedLook();
    return 0;
}
