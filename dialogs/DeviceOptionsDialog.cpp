#include "dialogs/DeviceOptionsDialog.h"

#include "base/HandleOwners.h"
#include "dialogs/IconChooserDialog.h"
#include "framework/ElementText.h"
#include "framework/NodePictures.h"
#include "framework/SharedLook.h"
#include "graphics/ResourceStrings.h"
#include "graphics/SkinEffects.h"
#include "model/DeviceNode.h"
#include "model/DriverInterface.h"
#include "resources/ResourceIds.h"

namespace {

constexpr int kNameLimit = 32, kTextLimit = 64;
constexpr int kUsb2Overlay = -1;
constexpr POINT kPicture{70, 62};
// The fields span the panel, their labels and the icon's in line; the buttons share a row below.
constexpr int kFieldX = 15, kFieldWidth = 330, kFieldHeight = 18, kButtonRowY = 150;

DeviceOptionsDialog* current = nullptr;

std::unique_ptr<LabeledEditWindow> Field(HWND dialog, UINT label, int limit) {
    auto field = std::make_unique<LabeledEditWindow>(dialog, LoadResourceString(label));
    field->SetLimit(limit);
    return field;
}

std::unique_ptr<TextPushButtonWindow> Button(HWND dialog, int id, UINT caption) {
    return std::make_unique<TextPushButtonWindow>(dialog, &DialogButtonStrip(), id, LoadResourceString(caption));
}

}  // namespace

DeviceOptionsDialog::DeviceOptionsDialog(DeviceNode& node)
    : node_(node), icon_(node.IconNumber()), group_(node.IconGroup()) {}

LRESULT DeviceOptionsDialog::OnInitDialog(WPARAM wParam, LPARAM lParam) {
    name_ = Field(hwnd_, IDS_NAME_LABEL, kNameLimit);
    change_ = Button(hwnd_, kChange, IDS_CHANGE);
    manufacturer_ = Field(hwnd_, IDS_MANUFACTURER_LABEL, kTextLimit);
    description_ = Field(hwnd_, IDS_DESCRIPTION_LABEL, kTextLimit);
    default_ = Button(hwnd_, kDefault, IDS_DEFAULT);
    cancel_ = Button(hwnd_, kCancel, IDS_CANCEL);
    save_ = Button(hwnd_, kSave, IDS_SAVE);
    PlaceCentred(kWidth, kHeight);
    name_->SetText(node_.Name());
    manufacturer_->SetText(node_.Manufacturer());
    description_->SetText(node_.Description());
    // A hub is shown by its plate; its icon is not the user's to choose.
    if (node_.IsHub()) ShowWindow(change_->Handle(), SW_HIDE);
    ShowWindow(hwnd_, SW_SHOW);
    return Dialog::OnInitDialog(wParam, lParam);
}

void DeviceOptionsDialog::LayOut() {
    if (!save_) return;
    const auto field = [this](HDWP batch, const ElxWnd& window, int y) {
        return DeferWindowPos(batch, window.Handle(), nullptr, Px(kFieldX), Px(y), Px(kFieldWidth), Px(kFieldHeight),
                              SWP_NOZORDER);
    };
    const auto button = [this](HDWP batch, const ElxWnd& window, int x, int y) {
        return DeferWindowPos(batch, window.Handle(), nullptr, Px(x), Px(y), 0, 0, SWP_NOZORDER | SWP_NOSIZE);
    };
    HDWP batch = BeginDeferWindowPos(7);
    batch = field(batch, *name_, 40);
    batch = field(batch, *manufacturer_, 90);
    batch = field(batch, *description_, 112);
    batch = button(batch, *change_, 115, 65);
    batch = button(batch, *default_, 160, kButtonRowY);
    batch = button(batch, *cancel_, 225, kButtonRowY);
    batch = button(batch, *save_, 290, kButtonRowY);
    EndDeferWindowPos(batch);
}

void DeviceOptionsDialog::OnDestroy() {
    name_.reset(), change_.reset(), manufacturer_.reset(), description_.reset();
    default_.reset(), cancel_.reset(), save_.reset();
    Dialog::OnDestroy();
}

void DeviceOptionsDialog::Draw(HDC dc) {
    Dialog::Draw(dc);
    SetTextAlign(dc, TA_LEFT | TA_TOP);
    SetBkMode(dc, TRANSPARENT);
    DrawLabel(dc, GetSharedFont(SharedFont::Title), 10, 10, LoadResourceString(IDS_DEVICE_OPTIONS_TITLE));
    {
        SelectGuard pen(dc, GetSharedPen(SharedPen::Grey70));
        SelectGuard brush(dc, GetSharedBrush(SharedBrush::Grey224));
        Rectangle(dc, 10, 30, 350, 140);
    }
    DrawLabel(dc, GetFieldFont(GetScale(), false), kFieldX, 67, LoadResourceString(IDS_ICON_LABEL));
    if (ended_) return;
    if (node_.IsHub()) {
        DrawHubPicture(dc, node_, kPicture.x, kPicture.y);
        return;
    }
    DrawTintedIcon(dc, icon_, group_, kPicture.x, kPicture.y);
    if (node_.IsUsb2()) DrawTintedIcon(dc, kUsb2Overlay, 0, kPicture.x, kPicture.y);
}

void DeviceOptionsDialog::OnCommand(WPARAM wParam) {
    if (ended_) return;
    switch (wParam) {
    case kSave: Save(); break;
    case kCancel:
        ended_ = true;
        EndDialog(hwnd_, kCancelled);
        break;
    case kDefault: FillDefaults(); break;
    case kChange: ChangeIcon(); break;
    default: break;
    }
}

void DeviceOptionsDialog::Save() {
    // The setters cut the texts to what the record holds.
    node_.SetName(name_->GetText());
    node_.SetManufacturer(manufacturer_->GetText());
    node_.SetDescription(description_->GetText());
    node_.SetIconNumber(icon_);
    node_.SetIconGroup(group_);
    DriverInterface::Instance().SaveChange();
    ended_ = true;
    EndDialog(hwnd_, kSaved);
}

void DeviceOptionsDialog::FillDefaults() {
    name_->SetText(node_.DefaultName());
    manufacturer_->SetText(node_.DefaultManufacturer());
    description_->SetText(node_.DefaultDescription());
    icon_ = node_.DefaultIconNumber();
    group_ = 0;
    Repaint();
}

void DeviceOptionsDialog::ChangeIcon() {
    const std::optional<IconChoice> chosen = RunIconChooser(hwnd_, node_, {icon_, group_});
    if (!chosen || ended_) return;
    icon_ = chosen->number;
    group_ = chosen->group;
    Repaint();
}

void DeviceOptionsDialog::Repaint() { RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW); }

int RunDeviceOptions(HWND owner, DeviceNode& node) {
    DeviceOptionsDialog dialog(node);
    current = &dialog;
    const int result = dialog.RunModal(owner);
    current = nullptr;
    return result;
}

bool IsDeviceOptionsOpen() { return current != nullptr; }

void CancelDeviceOptions() {
    if (!current) return;
    EndIconChooser();
    current->OnCommand(DeviceOptionsDialog::kCancel);
}
