#pragma once
#include <windows.h>

#include <string>

namespace linsett {

// The library's own module: its resources and its window class live there.
HMODULE LibraryModule();

// The only place the library talks to the user; the text is UTF-8 (paths and device texts
// in any script). The box's loop runs this thread's messages: callers make sure no callback
// can come of that where none may.
void ShowBox(const std::string& text, UINT icon);

}  // namespace linsett
