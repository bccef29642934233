#pragma once
// Whole-file reads and crash-safe replacement of a file. Failures come with a reason the
// user can read.
#include <string>

namespace linsett {

enum class ReadResult { Read, Absent, Failed };

// Absent: there is no such file. Failed: there is one that could not be read (in use, too
// large, a read error); reason says which.
ReadResult ReadWholeFile(const std::string& path, std::string& text, std::string& reason);

// Writes a temporary file beside path, flushes it and moves it over path in one step, so
// that an interrupted save leaves either the old or the new file. False with a reason.
bool ReplaceFileAtomically(const std::string& path, const std::string& text, std::string& reason);

// Renames path to <stem>.<label>-<n><ext> with the first free n; the new path, or empty.
std::string SetAside(const std::string& path, const char* label);

}  // namespace linsett
