// How long the monitoring view's repeated drawing takes: one tick of the transmission
// lights for 20 visible tiles, and a full repaint of the tile list for 20 and 200 devices.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/SharedLook.h"
#include "bench/Timing.h"
#include "framework/ElxWnd.h"
#include "framework/RootElement.h"
#include "graphics/StartupStrips.h"
#include "model/DeviceTree.h"
#include "monitor/DeviceTileList.h"
#include "monitor/TileArt.h"
#include "tests/unit/model/SyntheticTopology.h"

namespace {

void Measure(const char* name, int iterations, const std::function<void()>& operation) {
    const double us = NanosecondsPerCall(iterations, [&](int) { operation(); }) / 1000;
    std::printf("%-44s %10.1f us/op  (%d ops)\n", name, us, iterations);
}

// A computer and `count` connected devices, all in the monitoring ring.
std::vector<uintptr_t> BuildRing(SyntheticTopology& topo, int count) {
    std::vector<uintptr_t> nodes;
    std::vector<uintptr_t> ring;
    uintptr_t computer = topo.NewNode(0x80), system = topo.NewRecord(0x80, "Computer");
    topo.Connect(system, computer);
    ring.push_back(system);
    for (int i = 0; i < count; ++i) {
        uintptr_t node = topo.NewNode(0x83);
        nodes.push_back(node);
        std::string key = "device-" + std::to_string(i);
        uintptr_t record = topo.NewRecord(0x83, key.c_str());
        topo.Connect(record, node);
        topo.SetU8(node, 0x78, static_cast<uint8_t>(i % 5));
        topo.SetU8(node, 0x88, static_cast<uint8_t>(i % 5));
        topo.SetU16(record, 0x052, static_cast<uint16_t>((i % 25) << 4));
        topo.SetU16(record, 0x172, static_cast<uint16_t>(i % 4 + 1));
        ring.push_back(record);
    }
    topo.LinkRingA(ring);
    topo.LinkRingB(ring);
    topo.SetRoot(system, system, nullptr);
    return nodes;
}

void Run(int devices, bool lightsOnly) {
    SyntheticTopology topo;
    const std::vector<uintptr_t> nodes = BuildRing(topo, devices);
    DeviceTree tree;
    tree.Attach(topo.TreeWindow(), topo.RootBlock());

    ElxWnd window(nullptr, WS_POPUP, 0, true);
    // Without a window the drawing goes straight to the screen and the figures mean nothing
    // (Wine makes none when its server was started away from this display).
    if (!window.Handle()) {
        std::printf("no window could be made: start the Wine prefix under this display\n");
        std::exit(1);
    }
    const int height = 48 + 29 * 20;
    SetWindowPos(window.Handle(), nullptr, 0, 0, 185, height, SWP_NOZORDER | SWP_NOACTIVATE);
    RootElement root(window.Handle());
    root.SetSize(185, height);
    DeviceTileList list(&root, tree);
    list.SetBounds(24, 18, 137, height - 36);
    list.Rebuild();
    list.FitRows();

    std::string name;
    if (lightsOnly) {
        // Every light changes on every tick: the busiest bus there is.
        int tick = 0;
        name = "UpdateLights, " + std::to_string(list.VisibleCount()) + " visible tiles";
        Measure(name.c_str(), 300, [&] {
            ++tick;
            for (size_t i = 0; i < nodes.size(); ++i) topo.SetU8(nodes[i], 0x88, static_cast<uint8_t>((i + tick) % 5));
            list.UpdateLights();
        });
        return;
    }
    HDC dc = GetDC(window.Handle());
    name = "full tile-list repaint, " + std::to_string(devices + 1) + " monitored nodes";
    Measure(name.c_str(), 200, [&] {
        root.PaintTo(dc);
    });
    ReleaseDC(window.Handle(), dc);
}

}  // namespace

int main() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    LoadLibraryA("msimg32.dll");
    LoadSharedLook(instance);
    RegisterElxWndClass(instance);
    LoadStartupStrips();
    LoadTileImages();
    Run(19, true);
    Run(19, false);
    Run(199, false);
    ReleaseSharedLook();
    return 0;
}
