#pragma once
#include <vector>

#include "model/History.h"

// The program's one history: read from the state folder at start-up, and the one place
// every new entry goes through on its way to the file, the event log, the notices and the
// history window.
history::Log& TheHistory();
void LoadHistory();
void RecordChanges(std::vector<history::Entry> entries);
