#pragma once
#include <cstdint>

#include "base/String.h"

// The persistent configuration: named values under one key of the local machine.
// No value is cached: every read asks the registry, so a change made elsewhere shows at
// once. Reads share one open handle to the key; each write opens and closes its own.
// The installation creates the key; the program never does.
namespace Settings {

inline constexpr const char* kKeyPath = "Software\\Tarvex\\Quorvane";

// The stored 32-bit value, or defaultValue when the key or value is missing or the
// value holds more than 4 bytes. Fewer than 4 bytes read zero-filled.
int32_t ReadDword(String name, int32_t defaultValue);

// Stored as REG_DWORD. A key that is missing or not writable loses the write silently.
void WriteDword(String name, int32_t value);

// The stored text, at most 255 characters, or an empty text when it cannot be read.
String ReadString(String name);

// The user's on/off switches; a switch that was never stored is on.
bool ShowTransmissionLight();
bool AlwaysOnTop();
bool AutoLaunch();
// Stores a switch by its value name ("AlwaysOnTop", ...).
void WriteSwitch(const char* name, bool on);
inline constexpr const char* kAlwaysOnTop = "AlwaysOnTop";
inline constexpr const char* kAutoLaunch = "AutoLaunch";
inline constexpr const char* kShowTransmissionLight = "ShowTransmissionLight";

}  // namespace Settings
