#include "model/Alerts.h"

#include <algorithm>

#include "model/DeviceTree.h"

namespace {
std::vector<DeviceNode*>& List() {
    static std::vector<DeviceNode*> list;
    return list;
}
AlertHooks& Hooks() {
    static AlertHooks hooks;
    return hooks;
}
}  // namespace

std::vector<DeviceNode*> FindAlerts(DeviceTree& tree, int32_t sensitivity) {
    std::vector<DeviceNode*> found;
    if (sensitivity <= 0) return found;
    const uint8_t threshold = sensitivity == 1 ? 4 : 1;
    tree.WalkRing(DeviceTree::Link::A, [&](DeviceNode& record) {
        if (record.IsConnected() && record.Severity() >= threshold) found.push_back(&record);
    });
    return found;
}

void SetAlertHooks(AlertHooks hooks) { Hooks() = std::move(hooks); }

void RunAlertCheck(int32_t sensitivity) {
    List().clear();
    if (Hooks().setAlert) Hooks().setAlert(false);
    List() = FindAlerts(TheDeviceTree(), sensitivity);
    if (List().empty()) return;
    if (Hooks().showMonitor) Hooks().showMonitor();
    if (Hooks().openDetailFrame) Hooks().openDetailFrame(List().front());
    if (Hooks().setAlert) Hooks().setAlert(true);
}

std::vector<DeviceNode*> AlertList() { return List(); }

uint8_t WorstAlertSeverity() {
    uint8_t worst = 0;
    for (DeviceNode* record : List()) worst = std::max(worst, record->Severity());
    return worst;
}
