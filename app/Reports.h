#pragma once
#include <windows.h>

#include <string>

// The report of the tree the program holds now and of its history.
enum class ReportForm { Text, Json };

// The file's bytes: UTF-8 either way.
std::string CurrentReport(ReportForm form);

// The text form on the clipboard as Unicode text; false when the clipboard is busy.
bool CopyReportToClipboard(HWND owner);
