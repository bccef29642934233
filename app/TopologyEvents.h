#pragma once
#include <cstdint>

#include "base/Bytes.h"
#include "base/String.h"

class DeviceNode;

// What start-up, the restart after a resume and the library's topology changes share: the
// model rebuild, the alert check and the light switch, and the answers to the callbacks.

void HandleTopologyChanging();
void HandleTopologyChanged(bytes::Address newRootBlock);

// Points the model at the driver interface's current tree and root block and rebuilds
// its maps; every DeviceNode handle from before is discarded.
void RebuildDeviceTree();

// Ends an open device options dialog (its icon chooser first) and system options as
// cancelled, writing nothing: the nodes they edit are about to go.
void CancelOptionDialogs();

// The alert check at the sensitivity level, or at the user's "AlertSensitivity": the alert
// ends, and when a device alerts the monitor shows, the system view opens on the first one
// and the monitor's markers and the tray image flash.
void CheckAlerts(int32_t level);
void CheckAlerts();

// Reads the "ShowTransmissionLight" switch, stores it in the system record where the library
// looks for it, hands it to the tiles, and hands it back.
bool ApplyLightSwitch();
// The library's activity reports and the monitor's light timer, on or off together.
void SwitchLights(bool on);

// Records what changed between the model's generation and the last one seen (nothing for the
// first after start-up, which only becomes the one seen).
void RecordTopologyChanges();
// The user saved the device's options: records a new name given to it.
void RecordRename(const DeviceNode& node, const String& oldName);
