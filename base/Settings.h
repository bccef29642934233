#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "base/String.h"

// The persistent configuration, under one key path in two places. What a user changes
// (placements, switches, sensitivity) is theirs: it is read from and written to their own
// key under HKEY_CURRENT_USER, with the machine's key under HKEY_LOCAL_MACHINE as the
// installation's defaults. What the installation leaves for the program (its folder, its
// addresses) is read from the machine's key only, which only administrators write.
// No value is cached: every read asks the registry, so a change made elsewhere shows at
// once. Reads share one open handle per key; each write opens and closes its own.
namespace Settings {

inline constexpr const char* kKeyPath = "Software\\Tarvex\\Quorvane";

// The user's stored 32-bit value, else the machine's, else defaultValue. A value that holds
// more than 4 bytes counts as missing; fewer than 4 bytes read zero-filled.
int32_t ReadDword(String name, int32_t defaultValue);

// Stored as REG_DWORD in the user's key, which is made when missing. The machine's key is
// never written.
void WriteDword(String name, int32_t value);

// A window's placement: the four values "<window>.left", ".top", ".right" and ".bottom", each
// read like ReadDword with the side of `defaults`, written like WriteDword.
RECT ReadPlacement(const char* window, RECT defaults);
void WritePlacement(const char* window, RECT placement);

// An installation text of the machine's key, at most 255 characters, or empty when it
// cannot be read. Wide, since it may name a folder.
std::wstring ReadInstallationText(const char* name);

// The user's on/off switches; a switch that was never stored is on.
bool ShowTransmissionLight();
bool AlwaysOnTop();
bool AutoLaunch();
// Stores a switch by its value name ("AlwaysOnTop", ...).
void WriteSwitch(const char* name, bool on);
inline constexpr const char* kAlwaysOnTop = "AlwaysOnTop";
inline constexpr const char* kAutoLaunch = "AutoLaunch";
inline constexpr const char* kShowTransmissionLight = "ShowTransmissionLight";

// Which changes the tray tells of: 0 none, 1 serious failures only (when never stored), 2 every change.
int32_t Notifications();
inline constexpr const char* kNotifications = "Notifications";

}  // namespace Settings
