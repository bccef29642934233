#include "graphics/DisplayChecks.h"

#include <windows.h>

#include "base/HandleOwners.h"
#include "graphics/ResourceStrings.h"
#include "resources/ResourceIds.h"

namespace {
bool g_windows98 = false;
}  // namespace

void CheckColorDepth() {
    WindowDC screen(nullptr);
    if (GetDeviceCaps(screen.Get(), BITSPIXEL) > 8) return;
    MessageBoxA(nullptr, LoadResourceString(IDS_COLOR_DEPTH_WARNING).Chars(),
                LoadResourceString(IDS_APP_CAPTION).Chars(), MB_ICONEXCLAMATION);
}

bool IsWindows98() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);
    if (!GetVersionExA(&version)) return false;
    return version.dwMajorVersion == 4 && version.dwMinorVersion == 10;
}

void SetWindows98Flag(bool isWindows98) { g_windows98 = isWindows98; }
bool Windows98Flag() { return g_windows98; }
