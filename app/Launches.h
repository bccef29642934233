#pragma once
#include <windows.h>

#include <cstdint>

#include "base/String.h"

// The program's dealings with the rest of the desktop: the shortcut that starts it with
// Windows, the maker's pages in the user's browser and the help file. None keeps state
// beyond the help library once it is loaded.

// A shell link at linkPath that starts target; the result of the last step reached.
HRESULT CreateShortcut(const String& target, const String& linkPath, const String& description);

// The start-up shortcut of folder 0 (the default user's) or 1 (all users'); empty when
// the folder cannot be read from the registry.
String StartupShortcutPath(int folder);
// Makes the shortcut in each folder where none is; an existing one is left as it is.
void CreateStartupShortcuts();
// Deletes it from both folders, whichever exist.
void RemoveStartupShortcuts();

// "TarvexURL", else the maker's address; a failure shows the system's text of it.
void OpenMakerWebSite();
// "GetUpdateURL", else the maker's address.
void OpenUpdatePage();

// The help file at the topic mapped to context, or at its default topic for 0. Without
// the help library nothing happens.
void ShowHelp(uint32_t context);
// Closes every help window the program opened.
void CloseAllHelp();
