#pragma once
#include "base/String.h"

// The paths the program hands to the shell, made from what the registry holds. No system
// calls here: the callers read the values.
namespace launch_paths {

// The start-up shortcut inside a start-up folder. Empty when the folder was not read, is
// empty itself, or leaves no room for the file name within the 255 characters allowed.
String StartupShortcut(const String& folder, bool folderRead);

// What the shortcut starts: "InstallPath" and the library's tool after it, joined as they
// are (an "InstallPath" ending in a backslash gives two). Empty when longer than a path
// may be.
String ShortcutTarget(const String& installPath);

// The help file: its bare name without an "InstallPath", else inside it with one backslash
// between the two.
String HelpFile(const String& installPath, const String& helpFile);

}  // namespace launch_paths
