#pragma once

class DeviceNode;

// What the tile list needs from the window that holds it. The monitor window supplies it;
// without one a click opens nothing and a press is never refused.
class TileListHost {
public:
    virtual ~TileListHost() = default;
    // Opens (or brings forward) the detail frame on the node.
    virtual void OpenDetails(DeviceNode& node) = 0;
    // A press is refused while the device or system options dialog is open.
    virtual bool IsOptionsDialogOpen() = 0;
};
