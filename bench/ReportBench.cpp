// How long the report of the desk recording takes (127 devices counting hubs, a hub chain
// five deep, played by the test build of the library that reads the USB tree), with a full
// history of 1,000 entries: the facts read from the records, then the JSON and the text form,
// as "/report" and "Copy Report" build them. Also the library's start to its first topology,
// the wait a report run without a running copy adds. Target: the report in under a second.
#include <windows.h>

#include <cstdio>
#include <string>

#include "bench/Timing.h"
#include "model/DeviceTree.h"
#include "model/DriverInterface.h"
#include "model/Report.h"

namespace {

std::string Beside(const char* name) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1) + name;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string fixture = argc > 1 ? argv[1] : "Z:" USB_FIXTURE_DIR "/desk.json";
    SetEnvironmentVariableA("LINSETT_REPLAY", fixture.c_str());
    HMODULE library = LoadLibraryA(Beside("usb-test\\Linsett.dll").c_str());
    if (!library) {
        std::fprintf(stderr, "usb-test\\Linsett.dll is not beside the benchmark\n");
        return 1;
    }
    // The driver interface loads "Linsett.dll" by name: the one already loaded is the one it gets.
    DriverInterface& driver = DriverInterface::Instance();
    LARGE_INTEGER frequency, start, stop;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    const bool started = driver.Start(GetModuleHandleA(nullptr));
    QueryPerformanceCounter(&stop);
    if (!started || GetModuleHandleA("Linsett.dll") != library) {
        std::fprintf(stderr, "%s: the library found no hardware\n", fixture.c_str());
        return 1;
    }
    DeviceTree& tree = TheDeviceTree();
    tree.Attach(driver.TreeWindow(), driver.RootBlock());
    tree.Rebuild();

    history::Log log;
    const report::Facts sample = report::Gather(tree);
    for (size_t i = 0; i < history::Log::kMaxEntries; ++i) {
        history::Entry entry;
        entry.event = history::Event(i % 6);
        entry.time = history::Now();
        const report::DeviceFacts& device = sample.devices[i % sample.devices.size()];
        entry.device.key = device.key;
        entry.device.name = device.name;
        entry.device.hub = device.hub;
        entry.device.port = device.port;
        log.Add(entry);
    }
    size_t records = 0, bytes = 0;
    const double ns = NanosecondsPerCall(20, [&](int) {
        const report::Facts facts = report::Gather(tree);
        const std::string json = report::Json(facts, log, history::Now());
        const std::wstring text = report::Text(facts, log, history::Now());
        records = facts.devices.size();
        bytes = json.size() + report::Utf8(text).size();
    });
    std::printf("library start to first topology: %.1f ms\n",
                double(stop.QuadPart - start.QuadPart) * 1e3 / double(frequency.QuadPart));
    std::printf("report of %zu tree entries and %zu history entries, JSON and text (%zu bytes): %.2f ms"
                "   (target < 1000 ms: %s)\n",
                records, log.Entries().size(), bytes, ns / 1e6, ns < 1e9 ? "met" : "MISSED");
    tree.Clear();
    driver.Stop();
    return 0;
}
