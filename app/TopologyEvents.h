#pragma once
#include "base/Bytes.h"

// The program's answers to the library's callbacks, the model rebuild they share with
// start-up and resume, and the wiring of the views to each other.

// Fills in the hooks of the driver interface, the alert check, the tray and the monitor.
void InstallTopologyHandlers();
void HandleTopologyChanging();
void HandleTopologyChanged(bytes::Address newRootBlock);

// Points the model at the driver interface's current tree and root block and rebuilds
// its maps; every DeviceNode handle from before is discarded.
void RebuildDeviceTree();

// Ends an open device options dialog (its icon chooser first) and system options as
// cancelled, writing nothing: the nodes they edit are about to go.
void CancelOptionDialogs();

// The alert check at the user's "AlertSensitivity".
void CheckAlerts();
