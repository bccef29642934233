#pragma once
// The saved state: the user's texts and icons, the monitoring order and the light switch,
// as JSON text. Pure; reading and replacing the file is the persistence layer's job.
#include <string>
#include <string_view>

#include "driver/Scenario.h"
#include "driver/World.h"

namespace linsett {

std::string WriteState(const World& world);

// Applies a saved state to the world. False (world untouched) when the text is damaged.
bool ReadState(std::string_view text, World& world, Problem& problem);

}  // namespace linsett
