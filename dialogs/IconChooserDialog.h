#pragma once
#include <memory>

#include "dialogs/Dialog.h"
#include "dialogs/FolderList.h"
#include "dialogs/IconList.h"
#include "framework/PushButtonWindow.h"

class DeviceNode;

// Picks a device icon and colour: the icon folders on the left, the shown folder's icons in
// their seven colours on the right. Opens on the first folder that holds the current icon.
class IconChooserDialog : public Dialog {
public:
    static constexpr int kWidth = 462, kHeight = 300;
    static constexpr int kSave = 1, kCancel = 2;

    IconChooserDialog(int x, int y, DeviceNode& node);

    LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;
    void Draw(HDC dc) override;
    void OnCommand(WPARAM wParam) override;

    // Null outside the modal run.
    FolderList* Folders() const { return folders_.get(); }
    IconList* Icons() const { return icons_.get(); }

private:
    int x_, y_;
    DeviceNode& node_;
    std::unique_ptr<FolderList> folders_;
    std::unique_ptr<IconList> icons_;
    std::unique_ptr<TextPushButtonWindow> cancel_;
    std::unique_ptr<TextPushButtonWindow> save_;
};

// Runs the chooser starting from the given icon and group, centred on the screen: 1 after
// "Save", which makes the selection the current choice; 2 after "Cancel" or Escape.
int RunIconChooser(HWND owner, DeviceNode& node, int iconNumber, int iconGroup);
// The current choice: what the last run started from, or what it saved.
int ChosenIconNumber();
int ChosenIconGroup();
// Ends an open chooser as cancelled; nothing while none is open.
void EndIconChooser();
