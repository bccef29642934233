#pragma once
#include <windows.h>

#include <string>

namespace e2e {

// Sends one command to the stand-in library's control window in process processId and
// waits for its answer ("ok...", "refused: ..."). Empty when there is no such window or
// no answer came within timeoutMs.
std::string SendLinsettCommand(DWORD processId, const std::string& command, DWORD timeoutMs = 10000);

}  // namespace e2e
