#pragma once
#include "model/History.h"

class DeviceNode;

// What the history window asks of the program around it: the entries to show, and the
// system view for a device the user picked there.
class HistoryHost {
public:
    // Oldest first, as the log keeps them.
    virtual const history::Log& HistoryLog() = 0;
    virtual void ShowInSystemView(DeviceNode& node) = 0;

protected:
    ~HistoryHost() = default;
};
