// How long a rebuild of the library that reads the USB tree takes over the desk fixture (127
// devices counting hubs, a hub chain five deep), replayed: the enumeration pass, with every
// answer decoded from the bytes the hub driver would return, then the library's own work
// from the snapshot to the published structures and tree items. Prints medians.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "driver/Publisher.h"
#include "driver/ScenarioDiff.h"
#include "driver/StateFile.h"
#include "driver/usb/Enumerator.h"
#include "driver/usb/Mapping.h"
#include "driver/usb/ReplayUsbSystem.h"

namespace {

int CountDevices(const linsett::usb::HubFacts& hub) {
    int count = 0;
    for (const auto& port : hub.ports) {
        count += port.connection != linsett::usb::Connection::NoDevice;
        if (port.hub) count += CountDevices(*port.hub);
    }
    return count;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
    std::string path = argc > 1 ? argv[1] : USB_FIXTURE_DIR "/desk.json";
    std::string error;
    auto system = linsett::usb::LoadReplaySystem(path, error);
    if (!system) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    constexpr int kPasses = 200;
    std::vector<double> times;
    int devices = 0;
    for (int i = 0; i < kPasses + kPasses / 10; ++i) {
        linsett::usb::Snapshot snapshot;
        LARGE_INTEGER start, stop;
        QueryPerformanceCounter(&start);
        bool complete = linsett::usb::Enumerate(*system, snapshot, {10000});
        QueryPerformanceCounter(&stop);
        if (!complete || snapshot.controllers.empty() || !snapshot.controllers[0].rootHub) {
            std::fprintf(stderr, "%s: the pass did not complete\n", path.c_str());
            return 1;
        }
        devices = CountDevices(*snapshot.controllers[0].rootHub);
        if (i >= kPasses / 10) times.push_back(Milliseconds(start, stop));  // the first tenth warms up
    }
    std::sort(times.begin(), times.end());
    std::printf("usb enumeration, %d devices: median %.3f ms per pass (min %.3f, max %.3f, %d passes)\n", devices,
                times[times.size() / 2], times.front(), times.back(), int(times.size()));

    // A later pass, with the last one to reuse what the devices that stayed said.
    linsett::usb::Snapshot last;
    linsett::usb::Enumerate(*system, last, {10000});
    std::vector<double> again;
    for (int i = 0; i < kPasses; ++i) {
        linsett::usb::Snapshot snapshot;
        LARGE_INTEGER start, stop;
        QueryPerformanceCounter(&start);
        linsett::usb::Enumerate(*system, snapshot, {10000, &last});
        QueryPerformanceCounter(&stop);
        again.push_back(Milliseconds(start, stop));
    }
    std::sort(again.begin(), again.end());
    std::printf("a later pass, nothing replugged: median %.3f ms (min %.3f, max %.3f)\n", again[again.size() / 2],
                again.front(), again.back());

    // The rest of a rebuild: the picture, its comparison with the last one, the new world with
    // the user's edits carried over, and the published generation with its tree items.
    InitCommonControls();
    HWND tree = CreateWindowExA(0, WC_TREEVIEWA, "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    linsett::usb::Snapshot snapshot;
    linsett::usb::Enumerate(*system, snapshot, {10000});
    const linsett::Scenario previous = linsett::usb::MapSnapshot(snapshot);
    const linsett::World before(previous);
    std::vector<double> rebuilds;
    for (int i = 0; i < 60; ++i) {
        LARGE_INTEGER start, stop;
        QueryPerformanceCounter(&start);
        linsett::Scenario next = linsett::usb::MapSnapshot(snapshot);
        linsett::usb::KeepDisconnected(previous, next);
        linsett::Compare(previous, next);
        linsett::World world(next);
        linsett::Problem problem;
        linsett::ReadState(linsett::WriteState(before), world, problem);
        auto published = linsett::Publish(world, tree, 100, 1);
        QueryPerformanceCounter(&stop);
        if (!published) {
            std::fprintf(stderr, "nothing was published\n");
            return 1;
        }
        if (i >= 6) rebuilds.push_back(Milliseconds(start, stop));
    }
    std::sort(rebuilds.begin(), rebuilds.end());
    std::printf("from snapshot to published structures: median %.3f ms (min %.3f, max %.3f, %d rebuilds)\n",
                rebuilds[rebuilds.size() / 2], rebuilds.front(), rebuilds.back(), int(rebuilds.size()));
    DestroyWindow(tree);
    return 0;
}
