#pragma once
#include <string>

namespace e2e {

// Wine maps Z: to the Unix root, so a Unix path from CTest becomes Z:\... here.
std::string WindowsPath(const std::string& unixPath);

// Folder of the built binaries (QUORVANE_BIN_DIR), as a Windows path.
std::string BinDir();

// build/screenshots (QUORVANE_SCREENSHOTS), created on demand, as a Windows path.
std::string ScreenshotDir();

}  // namespace e2e
