#include "framework/ItemListWindow.h"

#include <windowsx.h>

#include <algorithm>

#include "base/HandleOwners.h"
#include "framework/ListGeometry.h"
#include "framework/SharedLook.h"
#include "graphics/ScaledDC.h"

ItemListWindow::ItemListWindow(HWND parent)
    : ElxWnd(parent, WS_CHILD, 0, true), owner_(parent), scrollBar_(hwnd_, kScrollCommand), surface_(hwnd_) {}

void ItemListWindow::SetItems(const std::vector<ListItem*>& items) {
    items_ = items;
    scrollBar_.SetPosition(0);
    // The position is the index of the first item shown.
    scrollBar_.SetMaximum(std::max(static_cast<int>(items_.size()) - 1, 0));
    std::vector<int> heights;
    for (ListItem* item : items_) heights.push_back(item->HeightIn(GetSize().cx));
    contentHeight_ = ListContentHeight(heights);
    FitScrollBar();
    Refresh();
}

void ItemListWindow::FitScrollBar() {
    const bool needed = ListNeedsScrollBar(contentHeight_, GetSize().cy);
    ShowWindow(scrollBar_.Handle(), needed ? SW_SHOW : SW_HIDE);
    if (!needed) scrollBar_.SetPosition(0);
}

int ItemListWindow::RowWidth() const {
    // The whole bar's width (the element list overlaps its frame with the bar by one); the
    // bar's own flag, so that the rows are laid out the same before the dialog shows.
    return GetSize().cx - ((GetWindowLongA(scrollBar_.Handle(), GWL_STYLE) & WS_VISIBLE) ? kScrollBarWidth : 0);
}

LRESULT ItemListWindow::OnSize(WPARAM, LPARAM lParam) {
    const int width = LOWORD(lParam), height = HIWORD(lParam);
    // Flush with the right edge in pixels too.
    SetWindowPos(scrollBar_.Handle(), nullptr, Px(width) - Px(kScrollBarWidth), 0, Px(kScrollBarWidth),
                 Px(std::max(height, 0)), SWP_NOZORDER);
    FitScrollBar();
    Refresh();
    return 0;
}

void ItemListWindow::OnCommand(WPARAM wParam) {
    if (wParam == kScrollCommand) Refresh();
}

LRESULT ItemListWindow::OnPaint(WPARAM, LPARAM) {
    const PaintDC paint(hwnd_);
    ApplyScale(paint.Get(), scale_);
    Draw(surface_.Begin(paint.Get()));
    surface_.End();
    return 0;
}

void ItemListWindow::Draw(HDC dc) {
    const int w = RowWidth(), height = GetSize().cy;
    {
        SelectGuard pen(dc, GetSharedPen(SharedPen::Grey70));
        SelectGuard brush(dc, GetSharedBrush(SharedBrush::Grey224));
        Rectangle(dc, 0, 0, w, height);
    }
    const size_t first = static_cast<size_t>(std::clamp(scrollBar_.GetPosition(), 0, static_cast<int>(items_.size())));
    std::vector<int> heights;
    for (size_t i = first; i < items_.size(); ++i) heights.push_back(items_[i]->HeightIn(w));
    const std::vector<int> tops = FittingItemTops(heights, height);
    for (size_t i = 0; i < tops.size(); ++i) items_[first + i]->Draw(dc, kListItemIndent, tops[i], w);
}

POINT ItemListWindow::PointAt(LPARAM lParam) const {
    const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (CanPick(p)) SetCursor(GetSharedCursor(SharedCursor::Pointer));
    return p;
}

LRESULT ItemListWindow::OnLeftButtonDown(WPARAM, LPARAM lParam) {
    Pick(PointAt(lParam));
    return 0;
}

LRESULT ItemListWindow::OnLeftButtonUp(WPARAM, LPARAM lParam) {
    PointAt(lParam);
    return 0;
}

LRESULT ItemListWindow::OnMouseMove(WPARAM, LPARAM lParam) {
    PointAt(lParam);
    return 0;
}
