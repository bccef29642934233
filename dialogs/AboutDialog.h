#pragma once
#include <windows.h>

#include <memory>

#include "dialogs/Dialog.h"
#include "framework/PushButtonWindow.h"

class DialogHost;

// The about box: one picture carrying the product's name, version and artwork, "Done" and
// "Go To Tarvex". While it is open both main windows are locked and only beep.
class AboutDialog : public Dialog {
public:
    static constexpr int kWidth = 490, kHeight = 310;
    enum Command { kDone = 1, kClose = 2, kGoToMaker = 3 };

    // Locks the main windows at once, so that no click reaches them before the box shows.
    explicit AboutDialog(DialogHost& host);

    LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;
    void Draw(HDC dc) override;
    void OnCommand(WPARAM wParam) override;

private:
    void LayOut() override;
    void Close();

    DialogHost& host_;
    std::unique_ptr<TextPushButtonWindow> done_, goToMaker_;
};

// Runs the box centred on the screen (0 after every close), over the open dialog if there
// is one. While an about box is open, that one comes forward instead and no second opens (1).
int RunAboutBox(HWND owner, DialogHost& host);
