#pragma once
#include <vector>

#include "model/History.h"

// Each new history entry in the Windows Application event log, under the source "Quorvane"
// that the installer registers with the program's message table: fleet tools collect the
// log. Silent when it cannot: the user's history does not depend on it.
void ReportToEventLog(const std::vector<history::Entry>& entries);
