#include "app/LaunchPaths.h"

namespace launch_paths {

namespace {
constexpr size_t kMaxShortcutPath = 255;
constexpr size_t kMaxPath = 259;
}  // namespace

String StartupShortcut(const String& folder, bool folderRead) {
    // An empty folder would put the shortcut at the root of the current drive.
    if (!folderRead || folder.Empty()) return String();
    String path = folder + "\\Quorvane.lnk";
    return path.Length() <= kMaxShortcutPath ? path : String();
}

String ShortcutTarget(const String& installPath) {
    String target = installPath + "\\Linsett.exe";
    return target.Length() <= kMaxPath ? target : String();
}

String HelpFile(const String& installPath, const String& helpFile) {
    if (installPath.Empty()) return helpFile;
    const bool endsInSeparator = installPath.Chars()[installPath.Length() - 1] == '\\';
    return installPath + (endsInSeparator ? "" : "\\") + helpFile;
}

}  // namespace launch_paths
