#pragma once
// The text commands of the control channel and of scenario timelines. Parsing checks the
// words only; whether the keys and ports make sense is the world's business.
#include <string>
#include <string_view>

#include "driver/Scenario.h"

namespace linsett {

enum class Verb { Plug, Unplug, Move, Severity, Text, Status, Activity, Change, FailNextRestart, LowMemory, Dump, Generations, Looks };

enum class TextField { Name, Manufacturer, Description };

struct Command {
    Verb verb = Verb::Dump;
    std::string key;
    std::string at;  // plug: hub or adapter key, empty for the place it was last seen; move: the hub
    int port = 0;
    int level = 0;  // severity, status code, change code or low memory (1 on, 0 off)
    TextField field = TextField::Name;
    std::string text;  // UTF-8
    Pattern pattern = Pattern::Idle;
};

// False with a reason when the text is not a command.
bool ParseCommand(std::string_view text, Command& out, std::string& reason);

// Commands a scenario timeline may hold (no faults, no queries).
bool AllowedInTimeline(Verb verb);

}  // namespace linsett
