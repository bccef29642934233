#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>

class DeviceNode;

// What the system view asks of the rest of the program; the application wires it. An
// action that is not wired does nothing.
struct SystemViewHooks {
    std::function<void(uint32_t topic)> showHelp;
    std::function<bool(HWND owner)> runSystemOptions;  // true when saved
    std::function<bool(HWND owner, DeviceNode& node)> runDeviceOptions;
    std::function<void()> showAbout;
    std::function<void()> openUpdatePage;
    std::function<void()> repaintTiles;
};
void SetSystemViewHooks(SystemViewHooks hooks);
const SystemViewHooks& TheSystemViewHooks();
