#pragma once
#include <cstdint>
#include <vector>

class DeviceNode;
class DeviceTree;

// The alert rule: which connected devices are bad enough, by the user's sensitivity, for the
// program to bring its windows forward by itself. What the program then does is its own.

// A device's health as the library reports it.
namespace severity {
constexpr uint8_t kFine = 0, kNote = 1, kCaution = 2, kWarning = 3, kFailure = 4;
}
// The user's "AlertSensitivity": zero or less never, 1 serious failures only, anything higher
// every error.
namespace sensitivity {
constexpr int32_t kNever = 0, kSeriousFailures = 1, kEveryError = 2;
}

struct Alerts {
    std::vector<DeviceNode*> devices;  // along ring link A
    uint8_t worst = severity::kFine;   // the highest of their severities
};

// The connected records along ring link A whose severity meets the threshold of the
// sensitivity `level`.
Alerts FindAlerts(DeviceTree& tree, int32_t level);
