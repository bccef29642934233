#pragma once
#include <windows.h>
#include <string>

namespace e2e {

// One command to the library's control window in the process, and its answer ("ok...",
// "refused: ..."); empty without such a window or an answer within timeoutMs.
std::string SendLinsettCommand(DWORD processId, const std::string& command, DWORD timeoutMs = 10000);

}  // namespace e2e
