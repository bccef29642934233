#pragma once
#include "framework/PushButton.h"

// A box that flips between checked and unchecked when clicked, with its label to the right.
// It tells its parent of every flip with its command.
class CheckBox : public PushButton {
public:
    // Between the box and the label.
    static constexpr int kLabelGap = 4;

    CheckBox(Element* parent, int commandId, String label);

    void SetChecked(bool checked);
    bool IsChecked() const { return checked_; }

    int GetFrame() const override;
    void DrawSelf(HDC dc) override;
    void OnLeftButtonUp(POINT* p, UINT keys) override;

private:
    bool checked_ = false;
    String label_;
};
