#include "dialogs/ElementDialog.h"

RootElement& ElementDialog::BindRoot() {
    root_ = std::make_unique<RootElement>(hwnd_);
    return *root_;
}

LRESULT ElementDialog::OnDestroy() {
    root_.reset();
    return Dialog::OnDestroy();
}

LRESULT ElementDialog::OnLeftButtonDown(WPARAM wParam, LPARAM lParam) {
    if (root_ && root_->RouteLeftButtonDown(static_cast<UINT>(wParam), lParam)) return 1;
    return Dialog::OnLeftButtonDown(wParam, lParam);
}

LRESULT ElementDialog::OnLeftButtonUp(WPARAM wParam, LPARAM lParam) {
    return root_ && root_->RouteLeftButtonUp(static_cast<UINT>(wParam), lParam) ? 1 : 0;
}

LRESULT ElementDialog::OnRightButtonDown(WPARAM wParam, LPARAM lParam) {
    return root_ && root_->RouteLeftButtonDown(static_cast<UINT>(wParam), lParam) ? 1 : 0;
}

LRESULT ElementDialog::OnRightButtonUp(WPARAM wParam, LPARAM lParam) {
    return root_ && root_->RouteLeftButtonUp(static_cast<UINT>(wParam), lParam) ? 1 : 0;
}

LRESULT ElementDialog::OnMouseMove(WPARAM wParam, LPARAM lParam) {
    return root_ && root_->RouteMouseMove(static_cast<UINT>(wParam), lParam) ? 1 : 0;
}

LRESULT ElementDialog::OnSize(WPARAM, LPARAM) {
    if (!root_) return 0;
    const SIZE size = OuterSize();
    root_->SetBounds(0, 0, size.cx, size.cy);
    return 0;
}
