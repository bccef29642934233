#include <windows.h>

#include "app/Lifecycle.h"
#include "app/ReportMode.h"

// A report run is no second copy: it answers and ends before the single-instance check.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (const auto path = ReportSwitch()) return RunReportMode(instance, *path);
    return RunApplication(instance);
}
