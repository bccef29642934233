#pragma once
#include <cstdint>
#include <string>

#include "model/History.h"
#include "model/ReportFacts.h"

// The report a user sends to support: the computer, its devices and the history, as JSON
// for tools and as aligned text for a person to paste into a forum. Built from plain values
// only, so the same facts give the same report anywhere.
namespace report {

// {"computer": {...}, "devices": [...], "history": [...]}, UTF-8. History oldest first.
std::string Json(const Facts& facts, const history::Log& log, history::Stamp generated);
// The tree indented with aligned columns, then the history newest first in local time.
// Lines end in CR LF.
std::wstring Text(const Facts& facts, const history::Log& log, history::Stamp generated);

// Shared by both forms.
std::wstring Wide(const std::string& ansi);  // from the ANSI code page
std::string Utf8(const std::wstring& wide);
std::string IsoUtc(uint64_t filetime);       // 2026-12-06T11:34:25Z
std::wstring LocalText(uint64_t filetime);   // 2026-12-06 12:34:25
const char* SeverityWord(uint8_t severity);  // fine, note, caution, warning, failure

}  // namespace report
