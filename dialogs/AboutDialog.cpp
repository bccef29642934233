#include "dialogs/AboutDialog.h"

#include "dialogs/DialogHost.h"
#include "framework/SharedLook.h"
#include "graphics/ImageHelpers.h"
#include "graphics/ResourceStrings.h"
#include "graphics/Resources.h"
#include "resources/ResourceIds.h"

namespace {

// Loaded at the first opening and kept until the program ends.
HBITMAP Picture() {
    static Bitmap picture = LoadBitmapResource(IDB_ABOUT_PICTURE);
    return picture.Get();
}

std::unique_ptr<TextPushButtonWindow> Button(HWND dialog, const SkinStrip& skin, int id, UINT caption) {
    return std::make_unique<TextPushButtonWindow>(dialog, &skin, id, LoadResourceString(caption));
}

void PlaceButton(const TextPushButtonWindow& button, int x, int y) {
    SetWindowPos(button.Handle(), nullptr, button.Px(x), button.Px(y), 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

}  // namespace

AboutDialog::AboutDialog(DialogHost& host) : host_(host) { host_.LockMainWindows(true); }

LRESULT AboutDialog::OnInitDialog(WPARAM wParam, LPARAM lParam) {
    done_ = Button(hwnd_, DialogButtonStrip(), kDone, IDS_DONE);
    goToMaker_ = Button(hwnd_, WideButtonStrip(), kGoToMaker, IDS_GO_TO_MAKER);
    PlaceCentred(kWidth, kHeight);
    ShowWindow(hwnd_, SW_SHOW);
    return Dialog::OnInitDialog(wParam, lParam);
}

void AboutDialog::LayOut() {
    if (!done_) return;
    PlaceButton(*done_, 303, 281);
    PlaceButton(*goToMaker_, 368, 281);
}

void AboutDialog::OnDestroy() {
    done_.reset();
    goToMaker_.reset();
    Dialog::OnDestroy();
}

// Everything the box shows is in its picture.
void AboutDialog::Draw(HDC dc) { BlitImage(dc, Picture(), 0, 0); }

void AboutDialog::OnCommand(WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case kGoToMaker:
        // The box closes whether or not the browser could be started.
        host_.OpenMakerWebSite();
        Close();
        break;
    case kDone:
    case kClose: Close(); break;
    default: break;
    }
    result_ = kHandled;
}

void AboutDialog::Close() {
    EndDialog(hwnd_, 0);
    host_.LockMainWindows(false);
}

int RunAboutBox(HWND owner, DialogHost& host) {
    static AboutDialog* current = nullptr;
    if (current) {
        SetForegroundWindow(current->Handle());
        return 1;
    }
    Picture();
    AboutDialog dialog(host);
    current = &dialog;
    // Over another open dialog the box belongs to that one: it stays in front of it, and
    // that dialog waits until the box is closed, as its own modal loop is left last.
    const HWND open = OpenDialogWindow();
    const int result = dialog.RunModal(open ? open : owner);
    current = nullptr;
    return result;
}
