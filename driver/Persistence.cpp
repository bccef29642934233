#include "driver/Persistence.h"

#include <windows.h>

#include "driver/FileIo.h"
#include "driver/StateFile.h"

namespace linsett {

std::string StateFilePath() {
    char folder[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("LOCALAPPDATA", folder, sizeof folder);
    if (length == 0 || length >= sizeof folder) return {};
    return std::string(folder, length) + "\\Quorvane\\linsett-state.json";
}

void StateStore::Restore(World& world, std::string& notice) {
    std::string path = StateFilePath();
    std::string text, reason;
    ReadResult read = path.empty() ? ReadResult::Absent : ReadWholeFile(path, text, reason);
    if (read == ReadResult::Absent) return;  // no saved state yet
    asideLabel_ = "unreadable";
    if (read == ReadResult::Read) {
        Problem problem;
        if (ReadState(text, world, problem)) return;
        reason = DescribeProblem(path, problem);
        asideLabel_ = "damaged";
    } else {
        reason = path + ": " + reason;
    }
    std::string aside = SetAside(path, asideLabel_);
    blocked_ = aside.empty();
    notice = "The saved device settings could not be read (" + reason + ").\n";
    notice += blocked_ ? "The file could not be set aside: the defaults are used and changes are not saved over it."
                       : "The file was set aside as " + aside + " and the defaults are used.";
}

std::string StateStore::Save(const World& world) {
    std::string path = StateFilePath();
    if (path.empty()) return "LOCALAPPDATA is not set";
    if (blocked_) {
        blocked_ = GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES && SetAside(path, asideLabel_).empty();
        if (blocked_) return path + " could not be read and still cannot be set aside, so it is not overwritten";
    }
    std::string folder = path.substr(0, path.find_last_of('\\'));
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string reason;
    return ReplaceFileAtomically(path, WriteState(world), reason) ? std::string() : reason;
}

}  // namespace linsett
