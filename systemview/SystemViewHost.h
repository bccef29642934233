#pragma once
#include <windows.h>

#include <cstdint>

class DeviceNode;

// What the system view's command buttons ask of the program around it.
class SystemViewHost {
public:
    // The help file at the topic of the shown node.
    virtual void ShowHelp(uint32_t topic) = 0;
    // The options dialogs; true when saved.
    virtual bool RunSystemOptions(HWND owner) = 0;
    virtual bool RunDeviceOptions(HWND owner, DeviceNode& node) = 0;
    virtual void ShowAbout() = 0;
    virtual void OpenUpdatePage() = 0;
    // The tiles show what an options dialog changed.
    virtual void RepaintTiles() = 0;
    // The report's text form on the clipboard.
    virtual void CopyReport(HWND owner) = 0;
    // The history window, from the computer's pane.
    virtual void ShowHistory() = 0;

protected:
    ~SystemViewHost() = default;
};
