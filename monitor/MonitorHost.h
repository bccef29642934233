#pragma once
#include "monitor/TileListHost.h"

// What the monitoring window asks of the program around it, beyond what its tiles ask.
class MonitorHost : public TileListHost {
public:
    // The user closes the window: the system view goes with it.
    virtual void CloseDetails() = 0;
    // The alert's flashing: 0 the normal tray image, 1 to 4 a severity's.
    virtual void SetTrayImage(int image) = 0;
};
