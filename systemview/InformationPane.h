#pragma once
#include <memory>
#include <vector>

#include "framework/Element.h"
#include "systemview/CommandButtons.h"
#include "systemview/HubItemList.h"
#include "systemview/PaneEntries.h"
#include "systemview/StatusItems.h"

class DeviceNode;
class HubTree;
class SystemViewHost;

// The upper half of the system view: the shown node's picture, name and health, the
// command buttons, and below them the computer's adapters and hubs beside its disconnected
// hubs and devices, or a hub's or device's hardware, power and driver facts.
class InformationPane : public ContainerElement {
public:
    explicit InformationPane(Element* parent);
    ~InformationPane() override;

    void SetTree(HubTree* tree) { tree_ = tree; }
    // What the command buttons ask for; without one they do nothing.
    void SetHost(SystemViewHost* host) { host_ = host; }
    // Shows the node; nothing happens when it is the one shown.
    void ShowNode(DeviceNode* node);
    // Shows the node anew even when it is the one shown (its handle may be new).
    void ReshowNode(DeviceNode* node);
    // What is shown before the user scrolls and when everything is shown.
    int CompactHeight();
    int FullHeight();
    const String& ShownKeyName() const { return shownKey_; }

    void DrawSelf(HDC dc) override;
    void UpdateShape() override;
    void Command(int id) override;

private:

    int StatusWidth() const { return width_ - 290; }

    bool computer_ = false;
    DeviceNode* shown_ = nullptr;
    String shownKey_;
    CommandButtons buttons_;
    // The computer's way to the history window, under its command buttons.
    ItemList information_;
    HubItemList hubs_;
    ItemList disconnected_;
    std::vector<std::unique_ptr<ListItem>> entries_;
    std::vector<std::unique_ptr<ListItem>> disconnectedEntries_;
    std::unique_ptr<StatusItem> status_;
    HubTree* tree_ = nullptr;
    SystemViewHost* host_ = nullptr;
};
