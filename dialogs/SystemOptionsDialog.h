#pragma once
#include <windows.h>

#include <memory>

#include "dialogs/AlertLevelSelector.h"
#include "dialogs/ElementDialog.h"
#include "framework/CheckBox.h"
#include "framework/TextPushButton.h"

class DialogHost;

// The program-wide choices: start with Windows, the transmission lights, the monitoring view
// on top, and when to open by itself on errors. They start from the stored settings every
// time and take effect only on "Save".

// The dialog's face under its elements: the dialog's default face, its title and the panel
// the choices sit on. It covers the whole dialog, so a press anywhere lands on an element and
// this dialog is never dragged.
class OptionsFace : public Element {
public:
    using Element::Element;
    void DrawSelf(HDC dc) override;
};

class SystemOptionsDialog : public ElementDialog {
public:
    static constexpr int kWidth = 300, kHeight = 230;
    enum Command { kSave = 1, kCancel = 2, kStartWithWindows = 10, kShowLights = 11, kAlwaysOnTop = 12, kAlertLevel = 13 };

    explicit SystemOptionsDialog(DialogHost& host) : host_(host) {}

    LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;
    LRESULT OnSize(WPARAM wParam, LPARAM lParam) override;
    void OnCommand(WPARAM wParam) override;
    void Draw(HDC dc) override;

private:
    void Save();

    DialogHost& host_;
    std::unique_ptr<OptionsFace> face_;
    std::unique_ptr<CheckBox> startWithWindows_, showLights_, alwaysOnTop_;
    std::unique_ptr<AlertLevelSelector> alertLevel_;
    std::unique_ptr<TextPushButton> cancel_, save_;
};

// Runs the dialog centred on the screen; 1 saved, 2 cancelled. A saved change of the alert
// sensitivity is told once, after the dialog has closed.
int RunSystemOptions(HWND owner, DialogHost& host);
// The device tiles ignore their clicks while it is open.
bool IsSystemOptionsOpen();
// Closes it as cancelled, if open.
void CancelSystemOptions();
