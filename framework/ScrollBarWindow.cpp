#include "framework/ScrollBarWindow.h"

#include <windowsx.h>

#include <algorithm>

#include "base/HandleOwners.h"
#include "framework/ScrollBar.h"
#include "framework/SharedLook.h"

namespace {

constexpr int kUpFrame = 0;
constexpr int kDownFrame = 2;

SIZE FrameSize(const ImageStrip& strip) { return {strip.GetFrameWidth(), strip.GetHeight()}; }

}  // namespace

ScrollThumbWindow::ScrollThumbWindow(HWND parent) : DragWindow(parent) {
    ScrollThumbWindow::OnScaleChanged();
}

void ScrollThumbWindow::OnScaleChanged() {
    const SIZE size = FrameSize(ScrollThumbStrip());
    SetWindowPos(hwnd_, nullptr, 0, 0, Px(size.cx), Px(size.cy), SWP_NOMOVE | SWP_NOZORDER);
}

void ScrollThumbWindow::Draw(HDC dc) { ScrollThumbStrip().DrawFrame(dragging_ ? 1 : 0, dc, 0, 0); }

ScrollBarWindow::ScrollBarWindow(HWND parent, int commandId)
    : ElxWnd(parent, WS_CHILD, 0, true),
      up_(hwnd_, &ScrollArrowStrip(), kUpArrow, kUpFrame),
      down_(hwnd_, &ScrollArrowStrip(), kDownArrow, kDownFrame),
      thumb_(hwnd_),
      commandId_(commandId) {
    thumb_.SetListener(this);
    SetPosition(0);
}

ScrollMetrics ScrollBarWindow::Metrics() const {
    return {GetSize().cy, up_.GetSize().cy, down_.GetSize().cy, thumb_.GetSize().cy};
}

std::optional<int> ScrollBarWindow::ThumbPlace() const { return ThumbTop(Metrics(), position_, maximum_); }

void ScrollBarWindow::SetMaximum(int maximum) {
    maximum_ = maximum;
    if (position_ > maximum_) position_ = maximum_;
    SetPosition(position_);
}

void ScrollBarWindow::SetPosition(int position) {
    const int before = position_;
    position_ = position;
    if (std::optional<int> top = ThumbPlace()) {
        ShowWindow(thumb_.Handle(), SW_SHOW);
        SetWindowPos(thumb_.Handle(), nullptr, 0, Px(*top), 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    } else {
        ShowWindow(thumb_.Handle(), SW_HIDE);
    }
    Refresh();
    if (position_ != before) {
        SendMessageA(GetParent(hwnd_), WM_COMMAND, static_cast<WPARAM>(commandId_), reinterpret_cast<LPARAM>(hwnd_));
    }
}

void ScrollBarWindow::OnCommand(WPARAM wParam) {
    if (wParam == kUpArrow && position_ > 0) SetPosition(position_ - 1);
    else if (wParam == kDownArrow && position_ < maximum_) SetPosition(position_ + 1);
}

void ScrollBarWindow::MoveTo(int y) {
    // Unlike the element bar, the point counts as it is (no pixel further down).
    if (std::optional<int> position = PositionAtExactly(Metrics(), y, maximum_)) SetPosition(*position);
}

LRESULT ScrollBarWindow::OnLeftButtonDown(WPARAM, LPARAM lParam) {
    MoveTo(GET_Y_LPARAM(lParam));
    return 0;
}

LRESULT ScrollBarWindow::OnMouseMove(WPARAM, LPARAM) {
    SetCursor(GetSharedCursor(SharedCursor::Pointer));
    return 0;
}

void ScrollBarWindow::DragBegin(DragWindow*, POINT* corner) { MoveTo(corner->y); }
void ScrollBarWindow::DragMove(DragWindow*, POINT* corner) { MoveTo(corner->y); }
void ScrollBarWindow::DragEnd(DragWindow*, POINT* corner) { MoveTo(corner->y); }

LRESULT ScrollBarWindow::OnSize(WPARAM, LPARAM lParam) {
    const int height = HIWORD(lParam);
    const int thumbHeight = thumb_.GetSize().cy;
    HDWP batch = BeginDeferWindowPos(3);
    batch = DeferWindowPos(batch, up_.Handle(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    // Flush with the bottom in pixels too.
    batch = DeferWindowPos(batch, down_.Handle(), nullptr, 0, std::max(Px(height) - Px(down_.GetSize().cy), 0), 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER);
    // A thumb that cannot show waits just above the top.
    batch = DeferWindowPos(batch, thumb_.Handle(), nullptr, 0, Px(ThumbPlace().value_or(-thumbHeight)), 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER);
    EndDeferWindowPos(batch);
    SetPosition(position_);
    Refresh();
    return 0;
}

void ScrollBarWindow::Draw(HDC dc) {
    // The thumb paints itself; a hidden one leaves no hole in the groove.
    if (GetWindowLongA(thumb_.Handle(), GWL_STYLE) & WS_VISIBLE) {
        RECT thumb{};
        GetWindowRect(thumb_.Handle(), &thumb);
        MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&thumb), 2);
        // The DC takes 96-DPI coordinates.
        ExcludeClipRect(dc, scale_.Logical(thumb.left), scale_.Logical(thumb.top), scale_.Logical(thumb.right),
                        scale_.Logical(thumb.bottom));
    }
    const SIZE size = GetSize();
    DrawScrollGroove(dc, size.cx, size.cy, up_.GetSize().cy, size.cy - down_.GetSize().cy);
}
