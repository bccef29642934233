#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "base/String.h"

// The program's dealings with the rest of the desktop: the shortcut that starts it with
// Windows, the maker's pages in the user's browser and the help file. None keeps state
// beyond the help library once it is loaded.

// A shell link at linkPath that starts target; the result of the last step reached.
HRESULT CreateShortcut(const std::wstring& target, const std::wstring& linkPath, const std::wstring& description);

// The start-up shortcut of folder 0 (the default user's) or 1 (all users'); empty when
// the folder cannot be read from the registry.
std::wstring StartupShortcutPath(int folder);
// Makes the shortcut in each folder where none is (the all-users one only for the
// installed program); an existing one is left as it is.
void CreateStartupShortcuts();
// Deletes it from both folders, whichever exist.
void RemoveStartupShortcuts();

// "TarvexURL", else the maker's address; anything but an http or https address is refused
// with a box that says so, and a failure shows the system's text of it.
void OpenMakerWebSite();
// "GetUpdateURL", else the maker's address.
void OpenUpdatePage();

// The help file of the program's own folder at the topic mapped to context, or at its
// default topic for 0. Without the help library nothing happens.
void ShowHelp(uint32_t context);
// Closes every help window the program opened.
void CloseAllHelp();
