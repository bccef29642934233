#pragma once
// Where the scenario comes from: the file LINSETT_SCENARIO names, else the built-in demo.
#include <string>

#include "driver/Scenario.h"
#include "driver/Source.h"

namespace linsett {

// False with a user-facing message naming the file, line and problem.
bool LoadScenario(Scenario& scenario, std::string& error);

}  // namespace linsett
