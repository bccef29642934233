#include "model/Alerts.h"

#include <algorithm>

#include "model/DeviceTree.h"

Alerts FindAlerts(DeviceTree& tree, int32_t level) {
    Alerts found;
    if (level <= sensitivity::kNever) return found;
    const uint8_t threshold = level == sensitivity::kSeriousFailures ? severity::kFailure : severity::kNote;
    tree.WalkRing(DeviceTree::Link::A, [&](DeviceNode& record) {
        if (!record.IsConnected() || record.Severity() < threshold) return;
        found.devices.push_back(&record);
        found.worst = std::max(found.worst, record.Severity());
    });
    return found;
}
