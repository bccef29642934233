#pragma once

// Cleared while the driver-interface library rewrites its structures: every window then
// answers its messages without reading a record.
void SetWindowsAlive(bool alive);
bool AreWindowsAlive();
