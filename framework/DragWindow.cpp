#include "framework/DragWindow.h"

#include <windowsx.h>

DragWindow::DragWindow(HWND parent) : DragSource(parent, WS_CHILD, 0, true) {}

POINT DragWindow::OffsetFrom(LPARAM lParam) const {
    return {GET_X_LPARAM(lParam) - start_.x, GET_Y_LPARAM(lParam) - start_.y};
}

LRESULT DragWindow::OnLeftButtonDown(WPARAM, LPARAM lParam) {
    dragging_ = true;
    SetCapture(hwnd_);
    SetCursor(GetDragCursor());
    start_ = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    POINT offset{0, 0};
    OnDragBegin(&offset);
    Refresh();
    return 0;
}

LRESULT DragWindow::OnMouseMove(WPARAM, LPARAM lParam) {
    SetCursor(GetDragCursor());
    if (dragging_) {
        POINT offset = OffsetFrom(lParam);
        OnDragMove(&offset);
    }
    return 0;
}

LRESULT DragWindow::OnLeftButtonUp(WPARAM, LPARAM lParam) {
    // A release without a press here (the capture was lost elsewhere) is not ours.
    if (!dragging_) return 0;
    dragging_ = false;
    ReleaseCapture();
    Refresh();
    POINT offset = OffsetFrom(lParam);
    OnDragEnd(&offset);
    return 0;
}

bool DragWindow::ToCorner(POINT* offset) const {
    if (!listener_) return false;
    // Where the window lies in its parent comes in pixels.
    POINT corner{0, 0};
    MapWindowPoints(hwnd_, GetParent(hwnd_), &corner, 1);
    offset->x += scale_.Logical(corner.x);
    offset->y += scale_.Logical(corner.y);
    return true;
}
