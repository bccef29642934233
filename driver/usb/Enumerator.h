#pragma once
// One enumeration pass over the machine's USB tree, through the system interface.
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "driver/usb/Snapshot.h"
#include "driver/usb/UsbSystem.h"

namespace linsett::usb {

// What one pass may spend: a device that does not answer costs one request's wait (see
// Enumerator.cpp), so a pass has room for a few of them and still ends well before the next
// periodic look.
constexpr uint32_t kPassBudgetMs = 2500;

struct PassOptions {
    uint32_t budgetMs = kPassBudgetMs;
    const Snapshot* previous = nullptr;        // the last pass: what may be reused or kept
    bool noticed = false;                      // a device notice came since: resting ports are asked again
    const std::atomic<bool>* stop = nullptr;   // once set, the pass asks nothing more
};

// Fills `out` (cleared first) with every controller, hub and port that answered within the
// budget. What could not be read (a timeout, the budget spent, a refusal) keeps what the last
// pass read there and is marked incomplete; only what is seen gone or empty is gone. A device
// that did not answer in time is marked silent and left alone for a few passes. With the last
// pass given, a device proven the same keeps the descriptor facts it had instead of being asked
// again. Returns out.complete.
bool Enumerate(UsbSystem& system, Snapshot& out, const PassOptions& options = {});

// The system this build reads: the real one (MakeSystem.cpp); in the test build
// (MakeTestSystem.cpp) the replay of the fixture LINSETT_REPLAY names, when it names one.
// Null with a reason when the fixture cannot be used.
std::unique_ptr<UsbSystem> MakeSystem(std::string& error);

}  // namespace linsett::usb
