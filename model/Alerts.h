#pragma once
#include <cstdint>
#include <functional>
#include <vector>

class DeviceNode;
class DeviceTree;

// The alert check: which connected devices are bad enough, by the user's sensitivity,
// for the program to bring its windows forward by itself.

// The connected records along ring link A whose severity meets the threshold of the
// sensitivity: 0 or less none, 1 serious failures (4), anything else every error (1+).
std::vector<DeviceNode*> FindAlerts(DeviceTree& tree, int32_t sensitivity);

// What the check does with the views; each hook may be empty while its view is absent.
struct AlertHooks {
    std::function<void(bool)> setAlert;
    std::function<void()> showMonitor;
    std::function<void(DeviceNode*)> openDetailFrame;
};
void SetAlertHooks(AlertHooks hooks);

// Refills the alert list from the process-wide model and the user's sensitivity and, when
// something is listed, shows both views on the first listed device.
void RunAlertCheck(int32_t sensitivity);
std::vector<DeviceNode*> AlertList();
uint8_t WorstAlertSeverity();
