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

void RestoreState(World& world, std::string& notice) {
    std::string path = StateFilePath();
    std::string text;
    if (path.empty() || !ReadWholeFile(path, text)) return;  // no saved state yet
    Problem problem;
    if (ReadState(text, world, problem)) return;
    std::string aside = SetAside(path);
    notice = "The saved device settings could not be read (" + DescribeProblem(path, problem) + ").\n";
    notice += aside.empty() ? "The file could not be set aside; the defaults are used."
                            : "The file was set aside as " + aside + " and the defaults are used.";
}

bool SaveState(const World& world) {
    std::string path = StateFilePath();
    if (path.empty()) return false;
    std::string folder = path.substr(0, path.find_last_of('\\'));
    CreateDirectoryA(folder.c_str(), nullptr);
    return ReplaceFileAtomically(path, WriteState(world));
}

}  // namespace linsett
