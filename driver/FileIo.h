#pragma once
// Whole-file reads and crash-safe replacement of a file.
#include <string>

namespace linsett {

bool ReadWholeFile(const std::string& path, std::string& text);

// Writes a temporary file beside path, flushes it and moves it over path in one step, so
// that an interrupted save leaves either the old or the new file.
bool ReplaceFileAtomically(const std::string& path, const std::string& text);

// Renames path to <stem>.damaged-<n><ext> with the first free n; the new path, or empty.
std::string SetAside(const std::string& path);

}  // namespace linsett
