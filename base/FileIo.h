#pragma once
// Whole-file reads and crash-safe replacement of a file, for the program and the stand-in
// library alike. Paths are UTF-8 here and reach the system through its wide functions, so
// that a folder named in any script works. Failures come with a reason the user can read.
// Only the standard library and the system: the library sees this one header of base.
#include <cstdint>
#include <string>
#include <string_view>

namespace fileio {

enum class ReadResult { Read, Absent, Failed };

inline constexpr uint64_t kMaxFileBytes = 64 << 20;

// The value of an environment variable that names a file, as UTF-8; false when it is unset
// or empty.
bool ReadEnvironment(const char* name, std::string& value);

// Absent: there is no such file. Failed: there is one that could not be read (in use, larger
// than maxBytes, a read error); reason says which.
ReadResult ReadWholeFile(const std::string& path, std::string& text, std::string& reason,
                         uint64_t maxBytes = kMaxFileBytes);

// Writes a temporary file beside path, flushes it and moves it over path in one step, so
// that an interrupted save leaves either the old or the new file. False with a reason.
bool ReplaceFileAtomically(const std::string& path, const std::string& text, std::string& reason);

// Renames path to <stem>.<label>-<n><ext> with the first free n; the new path, or empty.
std::string SetAside(const std::string& path, const char* label);

bool Exists(const std::string& path);

// A UTF-8 text (a path, a reason) in the system's UTF-16; invalid sequences become U+FFFD.
std::wstring Widen(std::string_view utf8);

// Makes the folder that holds path, if it is missing (its parent must exist).
void MakeParentFolder(const std::string& path);

}  // namespace fileio
