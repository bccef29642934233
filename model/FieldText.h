#pragma once
#include <cstdint>

#include "base/String.h"
#include "base/Bytes.h"

// Texts of the library's structures turned into the program's own ANSI text.
namespace field {

// A wide text pointer field; NULL reads as an empty text.
String WideAt(bytes::Address base, uint32_t offset);
// An ANSI text pointer field; NULL reads as nullText.
String AnsiAt(bytes::Address base, uint32_t offset, const char* nullText = "");
// A wide text stored inline, at most capacity units including the terminator.
String InlineWide(bytes::Address base, uint32_t offset, uint32_t capacity);
// Writes text into an inline wide field cut to maxChars; returns the byte size stored
// (the terminator included), or 2 for an empty text.
uint16_t WriteInlineWide(bytes::Address base, uint32_t offset, uint32_t maxChars, String text);

// The letter of a port numbered 1, 2, ...: "A", "B", ...
String PortLetter(uint8_t number);

}  // namespace field
