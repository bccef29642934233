#pragma once
#include <cstddef>
#include <initializer_list>

#include "base/String.h"

// Fills the placeholders "$0" to "$9" of a string-table text with args[0] to args[9].
// A "$" before anything but a digit is dropped with that character, a "$" at the end is
// dropped, and a digit with no argument behind it gives an empty text.
String FormatText(const String& format, const String* args, size_t count);
String FormatText(const String& format, std::initializer_list<String> args);
