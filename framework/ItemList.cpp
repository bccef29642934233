#include "framework/ItemList.h"

#include <algorithm>

#include "framework/SharedLook.h"
#include "framework/ListGeometry.h"
#include "base/HandleOwners.h"

ItemList::ItemList(Element* parent) : ContainerElement(parent), scrollBar_(this, kScrollCommand) {
    FitScrollBar();
}

void ItemList::SetItems(const std::vector<ListItem*>& items) {
    items_ = items;
    scrollBar_.SetPosition(0);
    // The position is the index of the first item shown.
    scrollBar_.SetMaximum(std::max(static_cast<int>(items_.size()) - 1, 0));
    FitScrollBar();
}

void ItemList::FitScrollBar() {
    std::vector<int> heights;
    for (ListItem* item : items_) heights.push_back(item->HeightIn(width_));
    bool needed = ListNeedsScrollBar(ListContentHeight(heights), height_);
    scrollBar_.SetVisible(needed);
    if (!needed) scrollBar_.SetPosition(0);
}

void ItemList::UpdateShape() {
    Element::UpdateShape();
    scrollBar_.SetBounds(width_ - kScrollBarWidth, 0, kScrollBarWidth, std::max(height_, 0));
    FitScrollBar();
}

void ItemList::Command(int id) {
    if (id == kScrollCommand) Redraw();
}

void ItemList::DrawSelf(HDC dc) {
    // The frame's right edge lies under the scroll bar's left column.
    int w = scrollBar_.IsVisible() ? width_ - (kScrollBarWidth - 1) : width_;
    {
        SelectGuard pen(dc, GetSharedPen(SharedPen::Grey70));
        SelectGuard brush(dc, GetSharedBrush(SharedBrush::Grey224));
        Rectangle(dc, 0, 0, w, height_);
    }
    size_t first = static_cast<size_t>(std::clamp(scrollBar_.GetPosition(), 0, static_cast<int>(items_.size())));
    // Measure only as far down as the list reaches.
    std::vector<int> heights;
    for (size_t i = first, used = kListItemGap; i < items_.size() && used <= static_cast<size_t>(std::max(height_, 0)); ++i) {
        heights.push_back(items_[i]->HeightIn(w));
        used += std::max(heights.back(), 0) + kListItemGap;
    }
    std::vector<int> tops = FittingItemTops(heights, height_);
    for (size_t i = 0; i < tops.size(); ++i) items_[first + i]->Draw(dc, kListItemIndent, tops[i], w);
}
