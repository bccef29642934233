#pragma once
#include <string>
#include <string_view>

// What the program hands to the shell, made from what the registry holds. Those values are
// data that someone else may have written: the program opens only web addresses, and only
// files inside its own folder. No system calls here: the callers read the values.
namespace launch_paths {

// A web address the browser may be given: "http://" or "https://" (in any case) and more
// after it, with no spaces, quotes or control characters that could make it read as a
// command line or another kind of address.
bool IsWebAddress(std::wstring_view text);

// The start-up shortcut inside a start-up folder. Empty when the folder was not read, is
// empty itself, or leaves no room for the file name within the 255 characters allowed.
std::wstring StartupShortcut(std::wstring_view folder, bool folderRead);

// A file of the program's own folder: the folder, one backslash, the name. Empty when the
// result is longer than a path may be.
std::wstring InFolder(std::wstring_view folder, std::wstring_view name);

// The parts of a path around its last separator; the folder is empty for a bare name.
std::wstring_view FolderOf(std::wstring_view path);
std::wstring_view NameOf(std::wstring_view path);

// A name that can only mean a file in the folder it is joined to: not empty, no separators,
// no drive or stream colon, not "." or "..".
bool IsPlainFileName(std::wstring_view name);

}  // namespace launch_paths
