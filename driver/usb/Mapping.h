#pragma once
// Turns what one enumeration pass read into a scenario: the same records, limits and
// meanings as a scenario file, so the world and the publisher serve real hardware unchanged.
#include "driver/Scenario.h"
#include "driver/usb/Snapshot.h"

namespace linsett::usb {

Scenario MapSnapshot(const Snapshot& snapshot);

// Devices of the previous pass that next lacks come back as disconnected entries, so the
// user finds them in the disconnected list and their edits stay with their keys. Each hangs
// where it was last seen, or, when that hub is gone too, where the gone hub was (up to the
// root hub); a device whose root hub is gone as well is dropped.
void KeepDisconnected(const Scenario& previous, Scenario& next);

}  // namespace linsett::usb
