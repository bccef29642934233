#pragma once
// Where the byte counts of the machine's USB devices come from: the capture service's section,
// mapped for reading, or in the test build a recorded capture played beside a recorded tree.
// The library looks at it at every tick of the transmission lights.
#include <cstdint>
#include <memory>
#include <string>

#include "driver/capture/ActivitySection.h"

namespace linsett::usb {

inline constexpr char kServiceNotRunning[] = "the Quorvane capture service is not running.";

class ActivityFeed {
public:
    virtual ~ActivityFeed() = default;
    // The counts as they stand at nowMs (GetTickCount64), or null when there are none. The
    // section may change under the reader at any time.
    virtual const capture::ActivitySection* Counts(uint64_t nowMs) = 0;
    // The counts have gone stale: the next look should find the service's section anew.
    virtual void LetGo() {}
    // Why there are no counts, as the end of "Transmission lights at rest: ...".
    virtual std::string WhyAbsent() const = 0;
};

// The feed of this build of the library: MakeSystem.cpp or MakeTestSystem.cpp.
std::unique_ptr<ActivityFeed> MakeActivityFeed();

// The capture service's section.
std::unique_ptr<ActivityFeed> MakeServiceFeed();

}  // namespace linsett::usb
