#pragma once

// Diagnostics: when QUORVANE_MODEL_PROBE names a file, the model is described there
// after every rebuild (a change counter, the item count, the program's memory, handle
// and GDI/USER object counts, then one line per record along
// the monitoring ring: key, connected, severity, name), replaced atomically.
void WriteModelProbe();
