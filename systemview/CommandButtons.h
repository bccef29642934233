#pragma once
#include <windows.h>

#include <cstdint>

#include "framework/TextPushButton.h"

class DeviceNode;
class SystemViewHost;

// The help topic for the node the pane shows: the computer by its severity, a hub or
// device by the group of its type code, 0 for a code without a topic.
uint32_t HelpTopic(const DeviceNode* node);

// The wide buttons in the information pane's top right corner. For the computer: help,
// system options, about, update and, below them, history and copy report; for a hub or device: help and
// its options.
class CommandButtons {
public:
    static constexpr int kHelp = 101, kOptions = 102, kAbout = 103, kUpdate = 104, kCopyReport = 105, kHistory = 106;

    explicit CommandButtons(Element* pane);

    // Captions and visibility for the computer or for a hub or device.
    void ShowFor(bool computer);
    // Places them against the right edge of a pane `width` wide.
    void Place(int width);
    // The bottom edge of the computer's lowest button.
    static int ComputerBottom();

private:
    TextPushButton buttons_[6];
};

// What a button does for the shown node (none: the pane shows nothing yet).
void RunPaneCommand(SystemViewHost& host, int id, DeviceNode* shown, HWND owner);
