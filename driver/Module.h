#pragma once
#include <windows.h>

namespace linsett {

// The library's own module: its resources and its window class live there.
HMODULE LibraryModule();

}  // namespace linsett
