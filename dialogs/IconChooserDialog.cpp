#include "dialogs/IconChooserDialog.h"

#include "base/HandleOwners.h"
#include "dialogs/IconFolders.h"
#include "framework/ElementText.h"
#include "framework/SharedLook.h"
#include "graphics/ResourceStrings.h"
#include "resources/ResourceIds.h"

namespace {

IconChooserDialog* current = nullptr;

std::unique_ptr<TextPushButtonWindow> Button(HWND dialog, int id, UINT caption) {
    return std::make_unique<TextPushButtonWindow>(dialog, &DialogButtonStrip(), id, LoadResourceString(caption));
}

// The folder list and the icon list side by side, each under a heading box that overlaps
// its top edge by a pixel; the buttons in one row below.
constexpr int kFoldersX = 10, kFoldersWidth = 160, kIconsX = 182, kIconsWidth = 268;
constexpr int kListTop = 45, kListHeight = 218, kHeadingTop = 28, kHeadingInset = 5, kButtonRowY = 270;

}  // namespace

IconChooserDialog::IconChooserDialog(DeviceNode& node, IconChoice start)
    : node_(node), choice_(start) {}

LRESULT IconChooserDialog::OnInitDialog(WPARAM wParam, LPARAM lParam) {
    folders_ = std::make_unique<FolderList>(hwnd_);
    folders_->Scroll().SetMaximum(0);
    icons_ = std::make_unique<IconList>(hwnd_);
    icons_->SetChoice(choice_.number, choice_.group);
    cancel_ = Button(hwnd_, kCancel, IDS_CANCEL);
    save_ = Button(hwnd_, kSave, IDS_SAVE);
    PlaceCentred(kWidth, kHeight);

    // An icon in no folder leaves the first folder shown, with nothing marked.
    if (const int folder = icon_folders::FirstHolding(choice_.number); folder >= 0) {
        folders_->Select(folder);
        icons_->ShowFolder(folder);
    }
    ShowWindow(hwnd_, SW_SHOW);
    return Dialog::OnInitDialog(wParam, lParam);
}

void IconChooserDialog::LayOut() {
    if (!save_) return;
    constexpr UINT kPlace = SWP_NOZORDER | SWP_NOSIZE;
    HDWP batch = BeginDeferWindowPos(4);
    batch = DeferWindowPos(batch, folders_->Handle(), nullptr, Px(kFoldersX), Px(kListTop), Px(kFoldersWidth),
                           Px(kListHeight), SWP_NOZORDER);
    batch = DeferWindowPos(batch, icons_->Handle(), nullptr, Px(kIconsX), Px(kListTop), Px(kIconsWidth),
                           Px(kListHeight), SWP_NOZORDER);
    batch = DeferWindowPos(batch, cancel_->Handle(), nullptr, Px(322), Px(kButtonRowY), 0, 0, kPlace);
    batch = DeferWindowPos(batch, save_->Handle(), nullptr, Px(392), Px(kButtonRowY), 0, 0, kPlace);
    EndDeferWindowPos(batch);
}

void IconChooserDialog::OnDestroy() {
    folders_.reset(), icons_.reset(), cancel_.reset(), save_.reset();
    Dialog::OnDestroy();
}

void IconChooserDialog::Draw(HDC dc) {
    Dialog::Draw(dc);
    SetTextAlign(dc, TA_LEFT | TA_TOP);
    DrawLabel(dc, GetSharedFont(SharedFont::Title), 10, 10, LoadResourceString(IDS_CHANGE_ICON_TITLE));
    {
        SelectGuard pen(dc, GetSharedPen(SharedPen::Grey70));
        SelectGuard brush(dc, GetSharedBrush(SharedBrush::Grey224));
        Rectangle(dc, kFoldersX, kHeadingTop, kFoldersX + kFoldersWidth, kListTop + 1);
        Rectangle(dc, kIconsX, kHeadingTop, kIconsX + kIconsWidth, kListTop + 1);
    }
    HFONT text = GetSharedFont(SharedFont::Text);
    DrawLabel(dc, text, kFoldersX + kHeadingInset, kHeadingTop + 2, LoadResourceString(IDS_ICON_FOLDERS));
    DrawLabel(dc, text, kIconsX + kHeadingInset, kHeadingTop + 2, LoadResourceString(IDS_ICONS));
}

void IconChooserDialog::OnCommand(WPARAM wParam) {
    switch (wParam) {
    case kSave:
        choice_ = {icons_->ChosenIcon(), icons_->ChosenGroup()};
        EndDialog(hwnd_, kSaved);
        break;
    case kCancel: EndDialog(hwnd_, kCancelled); break;
    case FolderList::kSelectionChanged: icons_->ShowFolder(folders_->Selected()); break;
    default: break;
    }
}

std::optional<IconChoice> RunIconChooser(HWND owner, DeviceNode& node, IconChoice start) {
    icon_folders::Build();
    IconChooserDialog dialog(node, start);
    current = &dialog;
    const int result = dialog.RunModal(owner);
    current = nullptr;
    if (result != Dialog::kSaved) return std::nullopt;
    return dialog.Choice();
}

void EndIconChooser() {
    if (current && current->Handle()) EndDialog(current->Handle(), Dialog::kCancelled);
}
