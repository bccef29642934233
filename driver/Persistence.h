#pragma once
// The state file under %LOCALAPPDATA%\Quorvane: restored at start, replaced at each save.
#include <string>

#include "driver/World.h"

namespace linsett {

// Empty when LOCALAPPDATA is not set.
std::string StateFilePath();

// Applies a saved state when there is one. A damaged file is set aside; notice then tells
// the user where it went.
void RestoreState(World& world, std::string& notice);

bool SaveState(const World& world);

}  // namespace linsett
