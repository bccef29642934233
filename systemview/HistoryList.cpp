#include "systemview/HistoryList.h"

#include <algorithm>

#include "framework/ElementText.h"
#include "framework/ListGeometry.h"
#include "framework/SharedLook.h"
#include "graphics/ResourceStrings.h"
#include "model/DeviceTree.h"
#include "resources/ResourceIds.h"
#include "systemview/HistoryHost.h"

HistoryList::HistoryList(Element* parent, HistoryHost& host) : ItemList(parent), host_(host) {}

// The list lets go of the rows before they go.
HistoryList::~HistoryList() { SetItems({}); }

void HistoryList::ShowEntries(const std::deque<history::Entry>& entries) {
    const int position = Scroll().GetPosition();
    const int added = static_cast<int>(entries.size()) - static_cast<int>(rows_.size());
    SetItems({});
    rows_.clear();
    std::vector<ListItem*> items;
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
        rows_.push_back(std::make_unique<HistoryRow>(*entry));
        items.push_back(rows_.back().get());
    }
    SetItems(items);
    if (position > 0 && Scroll().IsVisible())
        Scroll().SetPosition(std::clamp(position + std::max(added, 0), 0, static_cast<int>(rows_.size()) - 1));
    Redraw();
}

void HistoryList::Wheel(int delta) {
    if (!Scroll().IsVisible()) return;
    wheelRest_ += delta;
    const int notches = wheelRest_ / WHEEL_DELTA;
    wheelRest_ -= notches * WHEEL_DELTA;
    UINT lines = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    // Never more than a listful at a time ("a page a notch" is a listful too).
    const int rows = std::max(height_ / (HistoryRow::kHeight + kListItemGap), 1);
    const int step = std::clamp(static_cast<int>(std::min(lines, 1000u)), 1, rows);
    Scroll().SetPosition(
        std::clamp(Scroll().GetPosition() - notches * step, 0, std::max(static_cast<int>(rows_.size()) - 1, 0)));
}

const HistoryRow* HistoryList::RowAt(POINT p) const {
    const size_t first = static_cast<size_t>(std::clamp(Scroll().GetPosition(), 0, static_cast<int>(rows_.size())));
    const std::vector<int> tops = FittingItemTops(std::vector<int>(rows_.size() - first, HistoryRow::kHeight), height_);
    for (size_t i = 0; i < tops.size(); ++i)
        if (p.y >= tops[i] && p.y < tops[i] + HistoryRow::kHeight) return rows_[first + i].get();
    return nullptr;
}

DeviceNode* HistoryList::PresentAt(POINT p) const {
    const HistoryRow* row = RowAt(p);
    return row ? PresentRecord(TheDeviceTree(), row->Entry()) : nullptr;
}

void HistoryList::DrawSelf(HDC dc) {
    ItemList::DrawSelf(dc);
    if (rows_.empty()) DrawLabel(dc, GetSharedFont(SharedFont::Small), 12, 10, LoadResourceString(IDS_HISTORY_EMPTY));
}

void HistoryList::OnLeftButtonDown(POINT* p, UINT) {
    if (!RowAt(*p)) return;
    if (DeviceNode* node = PresentAt(*p)) return host_.ShowInSystemView(*node);
    MessageBeep(0);
}

void HistoryList::OnMouseMove(POINT* p, UINT) {
    SetCursor(GetSharedCursor(PresentAt(*p) ? SharedCursor::Pointer : SharedCursor::Arrow));
}

String HistoryList::GetTooltip(POINT* p) {
    return PresentAt(*p) ? LoadResourceString(IDS_TIP_SHOW_IN_SYSTEM_VIEW) : String();
}
