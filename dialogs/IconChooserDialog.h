#pragma once
#include <memory>
#include <optional>

#include "dialogs/Dialog.h"
#include "dialogs/FolderList.h"
#include "dialogs/IconList.h"
#include "framework/PushButtonWindow.h"

class DeviceNode;

// A device icon and the colour group it is tinted with.
struct IconChoice {
    int number = 0;
    int group = 0;
};

// Picks a device icon and colour: the icon folders on the left, the shown folder's icons in
// their seven colours on the right. Opens on the first folder that holds the current icon.
class IconChooserDialog : public Dialog {
public:
    static constexpr int kWidth = 462, kHeight = 300;
    static constexpr int kSave = 1, kCancel = 2;

    IconChooserDialog(DeviceNode& node, IconChoice start);

    LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;
    void Draw(HDC dc) override;
    void OnCommand(WPARAM wParam) override;

    // Null outside the modal run.
    FolderList* Folders() const { return folders_.get(); }
    IconList* Icons() const { return icons_.get(); }
    // What "Save" took; the starting choice until then.
    IconChoice Choice() const { return choice_; }

private:
    void LayOut() override;

    DeviceNode& node_;
    IconChoice choice_;
    std::unique_ptr<FolderList> folders_;
    std::unique_ptr<IconList> icons_;
    std::unique_ptr<TextPushButtonWindow> cancel_;
    std::unique_ptr<TextPushButtonWindow> save_;
};

// Runs the chooser from the start choice, centred on the screen: the selection after
// "Save", nothing after "Cancel" or Escape.
std::optional<IconChoice> RunIconChooser(HWND owner, DeviceNode& node, IconChoice start);
// Ends an open chooser as cancelled; nothing while none is open.
void EndIconChooser();
