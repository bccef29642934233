#include "tests/support/Paths.h"
#include <windows.h>
#include <cstdlib>

namespace e2e {
namespace {
std::string FromEnvironment(const char* name, const char* fallback) {
    const char* value = std::getenv(name);
    return WindowsPath(value && *value ? value : fallback);
}
}  // namespace

std::string WindowsPath(const std::string& unixPath) {
    if (unixPath.empty() || unixPath[0] != '/') return unixPath;
    std::string path = "Z:" + unixPath;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

std::string BinDir() { return FromEnvironment("QUORVANE_BIN_DIR", "."); }

std::string ScreenshotDir() {
    std::string dir = FromEnvironment("QUORVANE_SCREENSHOTS", "screenshots");
    // Create each level; existing levels are fine.
    for (size_t at = dir.find('\\', 3); at != std::string::npos; at = dir.find('\\', at + 1))
        CreateDirectoryA(dir.substr(0, at).c_str(), nullptr);
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

}  // namespace e2e
