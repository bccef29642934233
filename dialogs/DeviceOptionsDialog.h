#pragma once
#include <memory>

#include "dialogs/Dialog.h"
#include "framework/LabeledEditWindow.h"
#include "framework/PushButtonWindow.h"

class DeviceNode;

// Renames a hub or device, edits its manufacturer and description texts and picks its
// icon and colour, or goes back to what the library reported; only "Save" writes into the
// record and has the library keep it.
class DeviceOptionsDialog : public Dialog {
public:
    static constexpr int kWidth = 360, kHeight = 180;
    // Command ids: the three the dialog manager also knows, then the icon chooser's.
    static constexpr int kSave = 1, kCancel = 2, kDefault = 3, kChange = 4;

    explicit DeviceOptionsDialog(DeviceNode& node);

    LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;
    void Draw(HDC dc) override;
    void OnCommand(WPARAM wParam) override;

private:
    void LayOut() override;
    void Save();
    void FillDefaults();
    void ChangeIcon();
    // Repaints the face and every child over it.
    void Repaint();

    DeviceNode& node_;
    int icon_;
    int group_;
    std::unique_ptr<LabeledEditWindow> name_;
    std::unique_ptr<TextPushButtonWindow> change_;
    std::unique_ptr<LabeledEditWindow> manufacturer_;
    std::unique_ptr<LabeledEditWindow> description_;
    std::unique_ptr<TextPushButtonWindow> default_;
    std::unique_ptr<TextPushButtonWindow> cancel_;
    std::unique_ptr<TextPushButtonWindow> save_;
    // Once ended the node may be gone (a topology change cancels the dialog): no more reads.
    bool ended_ = false;
};

// Runs the dialog for the node, centred on the screen: 1 after "Save", 2 after "Cancel",
// Escape or CancelDeviceOptions.
int RunDeviceOptions(HWND owner, DeviceNode& node);
bool IsDeviceOptionsOpen();
// Ends an open icon chooser and the device options dialog as cancelled, writing nothing;
// does nothing while the dialog is not open.
void CancelDeviceOptions();
