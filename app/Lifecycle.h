#pragma once
#include <windows.h>

// Start-up, message loop and shut-down of the whole program: the body of WinMain. It makes the
// windows, each handed the one wiring of the program.
// 0 after a normal run, the no-hardware failure and in a second instance; -1 when
// "msimg32.dll", "Linsett.dll" or one of its exports cannot be loaded.
int RunApplication(HINSTANCE instance);

// The placements of the windows, written at the end of the message loop and when the
// session ends (which never reaches it).
void WritePlacements();

// The orderly exit: closes the windows and ends the message loop.
void ExitSequence();

// After the machine resumed from suspend: restarts the driver interface and rebuilds. A
// restart that fails is told once and leaves the library down until one succeeds.
void ResumeSequence();
// A device came or went: while the library is down, tries the restart again.
void RetryRestart();
// A restart failed and none has succeeded since: the windows are hidden and silent.
bool IsLibraryDown();
