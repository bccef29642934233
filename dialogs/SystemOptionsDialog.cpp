#include "dialogs/SystemOptionsDialog.h"

#include "base/HandleOwners.h"
#include "base/Settings.h"
#include "dialogs/DialogHost.h"
#include "framework/ElementText.h"
#include "framework/SharedLook.h"
#include "graphics/ResourceStrings.h"
#include "model/DriverInterface.h"
#include "resources/ResourceIds.h"

namespace {

constexpr const char* kAlertSensitivity = "AlertSensitivity";
constexpr int kDefaultSensitivity = 1;
// The check boxes one under another; Cancel and Save in a row below the panel.
constexpr int kCheckBoxX = 30, kButtonRowY = 200;

SystemOptionsDialog* g_current = nullptr;

int32_t StoredSensitivity() { return Settings::ReadDword(kAlertSensitivity, kDefaultSensitivity); }

}  // namespace

void OptionsFace::DrawSelf(HDC dc) {
    DrawDialogFace(dc, width_, height_);
    const UINT oldAlign = SetTextAlign(dc, TA_LEFT | TA_TOP);
    DrawLabel(dc, GetSharedFont(SharedFont::Title), 10, 10, LoadResourceString(IDS_SYSTEM_OPTIONS_TITLE));
    SetTextAlign(dc, oldAlign);
    const SelectGuard pen(dc, GetSharedPen(SharedPen::Grey112));
    const SelectGuard brush(dc, GetSharedBrush(SharedBrush::Grey224));
    Rectangle(dc, 10, 30, 290, 190);
}

LRESULT SystemOptionsDialog::OnInitDialog(WPARAM wParam, LPARAM lParam) {
    RootElement& root = BindRoot();
    face_ = std::make_unique<OptionsFace>(&root);

    startWithWindows_ =
        std::make_unique<CheckBox>(&root, kStartWithWindows, LoadResourceString(IDS_START_WITH_WINDOWS));
    startWithWindows_->SetChecked(Settings::AutoLaunch());

    showLights_ = std::make_unique<CheckBox>(&root, kShowLights, LoadResourceString(IDS_SHOW_LIGHTS));
    alwaysOnTop_ = std::make_unique<CheckBox>(&root, kAlwaysOnTop, LoadResourceString(IDS_ALWAYS_ON_TOP));
    alertLevel_ = std::make_unique<AlertLevelSelector>(&root, kAlertLevel);
    alertLevel_->SetValue(StoredSensitivity());
    showLights_->SetChecked(Settings::ShowTransmissionLight());
    alwaysOnTop_->SetChecked(Settings::AlwaysOnTop());

    cancel_ = std::make_unique<TextPushButton>(&root, kCancel, &DialogButtonStrip(), 0, LoadResourceString(IDS_CANCEL));
    save_ = std::make_unique<TextPushButton>(&root, kSave, &DialogButtonStrip(), 0, LoadResourceString(IDS_SAVE));
    startWithWindows_->SetPosition(kCheckBoxX, 40);
    showLights_->SetPosition(kCheckBoxX, 60);
    alwaysOnTop_->SetPosition(kCheckBoxX, 80);
    alertLevel_->SetPosition(50, 100);
    cancel_->SetPosition(165, kButtonRowY);
    save_->SetPosition(232, kButtonRowY);

    PlaceCentred(kWidth, kHeight);
    ShowWindow(hwnd_, SW_SHOW);
    return ElementDialog::OnInitDialog(wParam, lParam);
}

void SystemOptionsDialog::OnDestroy() {
    save_.reset();
    cancel_.reset();
    alertLevel_.reset();
    alwaysOnTop_.reset();
    showLights_.reset();
    startWithWindows_.reset();
    face_.reset();
    ElementDialog::OnDestroy();
}

LRESULT SystemOptionsDialog::OnSize(WPARAM wParam, LPARAM lParam) {
    const SIZE size = GetSize();
    if (face_) face_->SetSize(size.cx, size.cy);
    return ElementDialog::OnSize(wParam, lParam);
}

void SystemOptionsDialog::Draw(HDC dc) {
    if (RootElement* root = Root()) root->Paint(dc);
}

void SystemOptionsDialog::OnCommand(WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case kSave: Save(); break;
    case kCancel: EndDialog(hwnd_, kCancelled); break;
    default: break;  // the boxes' flips count only on "Save"
    }
}

void SystemOptionsDialog::Save() {
    const bool autoLaunch = startWithWindows_->IsChecked();
    Settings::WriteSwitch(Settings::kAutoLaunch, autoLaunch);
    host_.SetAutoLaunch(autoLaunch);

    const bool lights = showLights_->IsChecked();
    Settings::WriteSwitch(Settings::kShowTransmissionLight, lights);

    const bool onTop = alwaysOnTop_->IsChecked();
    Settings::WriteSwitch(Settings::kAlwaysOnTop, onTop);
    host_.SetAlwaysOnTop(onTop);

    Settings::WriteDword(kAlertSensitivity, alertLevel_->GetValue());
    host_.SetLights(lights);
    DriverInterface::Instance().SaveChange();
    EndDialog(hwnd_, kSaved);
}

int RunSystemOptions(HWND owner, DialogHost& host) {
    const int32_t before = StoredSensitivity();
    int result;
    {
        SystemOptionsDialog dialog(host);
        g_current = &dialog;
        result = dialog.RunModal(owner);
        g_current = nullptr;
        if (result == Dialog::kSaved) {
            const int32_t after = StoredSensitivity();
            if (after != before) host.AlertSensitivityChanged(after);
        }
    }
    return result;
}

bool IsSystemOptionsOpen() { return g_current != nullptr; }

void CancelSystemOptions() {
    if (g_current) g_current->OnCommand(SystemOptionsDialog::kCancel);
}
