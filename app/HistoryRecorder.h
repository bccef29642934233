#pragma once
#include <windows.h>

#include <vector>

#include "model/History.h"

// The program's one history: read from the state folder at start-up, and the one place
// every new entry goes through on its way to the file, the event log, the notices and the
// history window.
history::Log& TheHistory();
// Reads the history file of the state folder. One that cannot be read is set aside (or,
// when even that fails, left alone and never overwritten); the user hears of it once, from
// TellHistoryProblem, in a box owned by owner.
void LoadHistory();
void TellHistoryProblem(HWND owner);
void RecordChanges(std::vector<history::Entry> entries);
