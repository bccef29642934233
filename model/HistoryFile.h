#pragma once
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

#include "model/History.h"

// The history file's text: a header line, then one line per entry, oldest first, its fields
// separated by tabs (tabs, line ends and backslashes in texts escaped with a backslash).
// Texts stay in the system code page, as the entries hold them.
namespace history {

// A thousand entries at their longest fit well inside; a larger file is none this program wrote.
inline constexpr uint64_t kMaxFileBytes = 4 << 20;

std::string HistoryText(const std::deque<Entry>& entries);

// Adds the entries of a history file to log. False when the text is not one (any line
// that does not parse): log is then left as it was.
bool ReadHistoryText(std::string_view text, Log& log);

}  // namespace history
