// How reading the state file grows with the devices it names: a world of n devices and the
// state it wrote, read back (the order and every record). Time per device should stay flat.
#include <cstdio>
#include <string>

#include "bench/Timing.h"
#include "driver/Layout.h"
#include "driver/StateFile.h"
#include "driver/World.h"

int main() {
    for (int devices : {500, 2000, 8000, 32000}) {
        linsett::Scenario scenario;
        for (int i = 0; i < devices; ++i) {
            scenario.units.emplace_back();
            scenario.units.back().kind = linsett::kDevice;
            scenario.units.back().key = "device-" + std::to_string(i);
            scenario.units.back().name = "Device " + std::to_string(i);
        }
        linsett::World world(scenario);
        const std::string state = linsett::WriteState(world);
        linsett::Problem problem;
        const double ns = NanosecondsPerCall(10, [&](int) { linsett::ReadState(state, world, problem); });
        std::printf("state file, %5d devices (%7zu bytes): %8.3f ms, %6.2f us per device\n", devices, state.size(),
                    ns / 1e6, ns / 1e3 / devices);
    }
    return 0;
}
