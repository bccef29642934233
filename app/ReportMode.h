#pragma once
#include <windows.h>

#include <optional>
#include <string>

// "Quorvane.exe /report FILE": the file named after the switch, when the command line has it.
std::optional<std::wstring> ReportSwitch();

// Writes the report to the file and ends without a window: JSON when the name ends in
// ".json", text otherwise. 0 when written; 2 when the file cannot be written, after saying
// so on the console the program was started from, or else in a box.
int RunReportMode(HINSTANCE instance, const std::wstring& path);
