// How long one enumeration pass takes over the desk fixture (127 devices counting hubs, a
// hub chain five deep), replayed: the enumerator's own work per rebuild, with every answer
// decoded from the bytes the hub driver would return. Prints the median of many passes.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "driver/usb/Enumerator.h"
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
        bool complete = linsett::usb::Enumerate(*system, snapshot, 10000);
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
    return 0;
}
