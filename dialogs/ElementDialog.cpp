#include "dialogs/ElementDialog.h"

RootElement& ElementDialog::BindRoot() {
    root_ = std::make_unique<RootElement>(hwnd_);
    return *root_;
}

void ElementDialog::OnDestroy() {
    root_.reset();
    Dialog::OnDestroy();
}

LRESULT ElementDialog::NotTaken(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONDOWN) return Dialog::OnLeftButtonDown(wParam, lParam);
    return Unhandled(message, wParam, lParam);
}

LRESULT ElementDialog::OnSize(WPARAM, LPARAM) {
    if (!root_) return 0;
    const SIZE size = GetSize();
    root_->SetBounds(0, 0, size.cx, size.cy);
    return 0;
}
