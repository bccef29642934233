#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "app/Reports.h"

// A report run asks the running copy for its report, which has the live tree and history:
// a WM_COPYDATA to that copy's application window carrying the form, answered with the
// report's bytes in a WM_COPYDATA back to the asking window. Only data travels: the running
// copy writes nothing and never sees the file's path.

// The running copy's side: answers a request that came to its application window; false
// when the message is not one.
bool AnswerReportRequest(HWND self, HWND requester, const COPYDATASTRUCT& request);

// The asking side: the report of the copy that runs; none when no copy runs or it did not
// answer in time.
std::optional<std::string> AskRunningCopy(ReportForm form);
