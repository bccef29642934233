#pragma once
#include <windows.h>

#include "base/String.h"

// The instance through which every resource of the program is loaded.
void SetResourceInstance(HINSTANCE instance);
HINSTANCE ResourceInstance();

// A text of the string table (at most 255 characters); empty when the id is unknown.
String LoadResourceString(UINT id);

// The plain error box: no owner, captioned "Error", OK only.
void ShowErrorBox(String text);

// The system's text for an error code (US English where the system has it), at most 255
// characters; empty when the system has none.
String SystemErrorText(DWORD code);

// The error box with the system's text for the calling thread's last error.
void ShowLastErrorBox();
