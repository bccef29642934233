#pragma once
// Turns the capture service's byte counts into each device's status code, 0 (idle) to 4
// (saturated): the bytes a device moved since the last look, per second, on a logarithmic
// scale. Pure: it reads one look at the section (mapped, or a copy) and keeps what it needs.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "driver/capture/ActivitySection.h"

namespace linsett::usb {

// The status code of `bytes` moved in `ms` milliseconds.
int ActivityLevel(uint64_t bytes, uint64_t ms);

// A root hub's path as the capture driver or the hub driver names it, for comparing: without
// its "\??\", "\\.\" or "\\?\" and in lower case.
std::u16string HubPathKey(std::u16string_view path);

class ActivityMeter {
public:
    // Where a device's traffic is counted: its root hub's path and its bus address.
    struct Target {
        std::string hub;  // UTF-8, as the mapping gives it
        uint16_t address = 0;
    };

    enum class Counts {
        Absent,    // no section
        NotReady,  // not (yet) a section of this layout
        Stale,     // its beat stood still: the service stopped or hangs
        Fresh,
    };

    // One look: the status code of each target, 0 for every one unless the counts are fresh.
    // A target seen for the first time, or not in the last look, has no baseline yet and gets 0.
    Counts Look(const capture::ActivitySection* section, uint64_t nowMs, const std::vector<Target>& targets,
                std::vector<int>& levels);

    // A beat that has not moved for longer than this means the counts are stale.
    static constexpr uint64_t kStaleMs = 4 * capture::kBeatMs;

private:
    // What a target's counter read at the last look, and when.
    struct Baseline {
        uint32_t bytes = 0;
        uint64_t atMs = 0;
    };
    using Key = std::pair<std::u16string, uint16_t>;

    std::map<Key, Baseline> baselines_;
    bool beatSeen_ = false;
    uint32_t beat_ = 0;
    uint64_t beatMovedMs_ = 0;
};

}  // namespace linsett::usb
