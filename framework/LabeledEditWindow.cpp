#include "framework/LabeledEditWindow.h"

#include <utility>

#include "base/HandleOwners.h"
#include "framework/SharedLook.h"
#include "graphics/ResourceStrings.h"
#include "graphics/ScaledDC.h"
#include "graphics/TextHelpers.h"

namespace {

constexpr int kLabelGap = 10;

// Every field's EDIT control is of the one system class, so one previous procedure serves.
WNDPROC previousEditProcedure = nullptr;

// Every message goes on unchanged to the control's own procedure.
LRESULT CALLBACK EditProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(previousEditProcedure, window, message, wParam, lParam);
}

}  // namespace

LabeledEditWindow::LabeledEditWindow(HWND parent, String label)
    : ElxWnd(parent, WS_CHILD, 0, true), label_(std::move(label)) {
    edit_ = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, 0, 0, 0, 0, hwnd_,
                            nullptr, ResourceInstance(), nullptr);
    LabeledEditWindow::OnScaleChanged();
    if (edit_) {
        previousEditProcedure = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditProcedure)));
    }
}

LabeledEditWindow::~LabeledEditWindow() {
    if (!edit_) return;
    SetWindowLongPtrA(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousEditProcedure));
    DestroyWindow(edit_);
}

void LabeledEditWindow::SetText(const String& text) {
    SendMessageA(edit_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.Chars()));
}

String LabeledEditWindow::GetText() const {
    char buffer[kReadBuffer] = {};
    SendMessageA(edit_, WM_GETTEXT, kReadBuffer, reinterpret_cast<LPARAM>(buffer));
    return String(buffer);
}

void LabeledEditWindow::SetLimit(int characters) {
    SendMessageA(edit_, EM_LIMITTEXT, static_cast<WPARAM>(characters), 0);
}

void LabeledEditWindow::OnScaleChanged() {
    // The label measured in 96-DPI units, in the font it is drawn in.
    const WindowDC dc(hwnd_);
    ApplyScale(dc.Get(), scale_);
    const SelectGuard font(dc.Get(), GetFieldFont(scale_, false));
    GetTextExtentPoint32A(dc.Get(), label_.Chars(), static_cast<int>(label_.Length()), &labelSize_);
    // At 96 DPI the control keeps its own font.
    if (HFONT field = GetFieldFont(scale_, true))
        SendMessageA(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(field), TRUE);
}

LRESULT LabeledEditWindow::OnSize(WPARAM, LPARAM lParam) {
    const int x = labelSize_.cx + kLabelGap;
    SetWindowPos(edit_, nullptr, Px(x), 0, Px(LOWORD(lParam)) - Px(x), Px(HIWORD(lParam)), SWP_NOZORDER);
    return 0;
}

void LabeledEditWindow::Draw(HDC dc) {
    const SelectGuard font(dc, GetFieldFont(scale_, false));
    SetTextAlign(dc, TA_LEFT | TA_TOP);
    SetBkMode(dc, TRANSPARENT);
    TextOutA(dc, 0, (GetSize().cy - labelSize_.cy) / 2, label_.Chars(), static_cast<int>(label_.Length()));
}
