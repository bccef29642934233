#pragma once
#include "base/String.h"
#include "framework/ElxWnd.h"

// A one-line text field with its label at the left: the label in the window's own default
// font, vertically centred, and a system EDIT control starting 10 pixels right of it.
class LabeledEditWindow : public ElxWnd {
public:
    // Texts longer than this come back cut (the buffer keeps one for the terminator).
    static constexpr int kReadBuffer = 80;

    LabeledEditWindow(HWND parent, String label);
    ~LabeledEditWindow() override;

    void SetText(const String& text);
    String GetText() const;
    // The most characters the user can type.
    void SetLimit(int characters);

    LRESULT OnSize(WPARAM wParam, LPARAM lParam) override;
    void Draw(HDC dc) override;
    // The label measured and the field's font for the scale.
    void OnScaleChanged() override;

private:
    HWND edit_ = nullptr;
    String label_;
    SIZE labelSize_{};
};
