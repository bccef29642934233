#pragma once
// The state file under %LOCALAPPDATA%\Quorvane: restored at start, replaced at each save.
#include <string>

#include "driver/World.h"

namespace linsett {

// Empty when LOCALAPPDATA is not set.
std::string StateFilePath();

class StateStore {
public:
    // Applies a saved state when there is one. A damaged or unreadable file is set aside;
    // notice then tells the user where it went, or that it stays and blocks saving.
    void Restore(World& world, std::string& notice);

    // Empty on success, else why the state was not saved.
    std::string Save(const World& world);

private:
    // A file that could not be read or understood may hold the user's edits, so it is never
    // overwritten: saves are refused (and reported) until it can be renamed out of the way,
    // as it may only be in use for now. The program keeps working on the edits in memory.
    bool blocked_ = false;
    const char* asideLabel_ = "";
};

}  // namespace linsett
