#pragma once
// What kind of change lies between two pictures of the hardware, for the change code the
// program is handed: something plugged or unplugged, only texts and health, or nothing.
#include "driver/Scenario.h"

namespace linsett {

enum class Difference { None, Status, Plug };

Difference Compare(const Scenario& before, const Scenario& after);

}  // namespace linsett
