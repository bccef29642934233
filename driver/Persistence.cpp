#include "driver/Persistence.h"

#include <cstdint>

#include "driver/FileIo.h"
#include "driver/StateFile.h"

namespace linsett {

namespace {

// The file is read whole at every start, so its size is bounded. A unit's record takes at
// most about 1.2 KB (its key and three texts at their longest, every character escaped):
// 127 devices, all that one bus can address, come to about 150 KB. The limit leaves room
// for several full buses and the records of devices long gone; a larger file is no state
// this library wrote.
constexpr uint64_t kMaxStateBytes = 2 << 20;

}  // namespace

std::string StateFilePath() {
    std::string folder;
    return ReadEnvironment("LOCALAPPDATA", folder) ? folder + "\\Quorvane\\linsett-state.json" : std::string();
}

void StateStore::Restore(World& world, std::string& notice) {
    std::string path = StateFilePath();
    std::string text, reason;
    ReadResult read = path.empty() ? ReadResult::Absent : ReadWholeFile(path, text, reason, kMaxStateBytes);
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
        blocked_ = Exists(path) && SetAside(path, asideLabel_).empty();
        if (blocked_) return path + " could not be read and still cannot be set aside, so it is not overwritten";
    }
    MakeParentFolder(path);
    std::string text = WriteState(world), reason;
    // The next start would set a larger file aside: the one there stays instead.
    if (text.size() > kMaxStateBytes)
        return "they would take more than " + std::to_string(kMaxStateBytes >> 20) + " MB";
    return ReplaceFileAtomically(path, text, reason) ? std::string() : reason;
}

}  // namespace linsett
