#pragma once
// Sends one command to a loaded library's control window and waits for its answer.
#include <windows.h>

#include <string>

namespace linsett {

enum class ControlResult { Ok, Refused, NoLibrary, SeveralLibraries, Timeout };

// The control window of process processId, or of the only process with the library
// loaded when processId is 0.
HWND FindControlWindow(DWORD processId, ControlResult& problem);

// Sends command (UTF-8) and pumps this thread's messages until the reply arrives, so that a
// library loaded on this very thread can run the command meanwhile. reply gets the text.
ControlResult SendControlCommand(HWND control, const std::string& command, DWORD timeoutMs, std::string& reply);

// The same for any message: its tag (dwData) and bytes (data may be null).
ControlResult SendControlMessage(HWND control, uintptr_t tag, const void* data, DWORD size, DWORD timeoutMs,
                                 std::string& reply);

}  // namespace linsett
