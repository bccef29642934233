#pragma once
#include <windows.h>

#include <cstdint>

class DeviceNode;

// What the system view's commands ask of the program around it.
class SystemViewHost {
public:
    virtual ~SystemViewHost() = default;
    virtual void ShowHelp(uint32_t topic) = 0;
    // True when the options were saved.
    virtual bool RunSystemOptions(HWND owner) = 0;
    virtual bool RunDeviceOptions(HWND owner, DeviceNode& node) = 0;
    virtual void ShowAbout() = 0;
    virtual void OpenUpdatePage() = 0;
    // The tiles show what an options dialog changed.
    virtual void RepaintTiles() = 0;
};
