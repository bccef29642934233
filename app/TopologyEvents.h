#pragma once
#include "model/Bytes.h"

// The program's answers to the library's callbacks, and the model rebuild they share
// with start-up and resume.
void InstallTopologyHandlers();
void HandleTopologyChanging();
void HandleTopologyChanged(bytes::Address newRootBlock);

// Points the model at the driver interface's current tree and root block and rebuilds
// its maps; every DeviceNode handle from before is discarded.
void RebuildDeviceTree();
