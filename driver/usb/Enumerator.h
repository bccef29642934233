#pragma once
// One enumeration pass over the machine's USB tree, through the system interface.
#include <cstdint>
#include <memory>
#include <string>

#include "driver/usb/Snapshot.h"
#include "driver/usb/UsbSystem.h"

namespace linsett::usb {

// Fills `out` (cleared first) with every controller, hub and port that answered within
// budgetMs. A branch that stopped answering (a timeout, a hub that went away) or that the
// budget did not reach is left out and marked incomplete; the rest of the pass goes on.
// With the last pass given, a device still at its bus address keeps the descriptor facts it
// had there instead of being asked again. Returns out.complete.
bool Enumerate(UsbSystem& system, Snapshot& out, uint32_t budgetMs, const Snapshot* previous = nullptr);

// The system this build reads: the real one (MakeSystem.cpp); in the test build
// (MakeTestSystem.cpp) the replay of the fixture LINSETT_REPLAY names, when it names one.
// Null with a reason when the fixture cannot be used.
std::unique_ptr<UsbSystem> MakeSystem(std::string& error);

}  // namespace linsett::usb
