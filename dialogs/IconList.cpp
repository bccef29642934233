#include "dialogs/IconList.h"

#include <algorithm>

#include "base/HandleOwners.h"
#include "dialogs/IconFolders.h"
#include "framework/SharedLook.h"
#include "graphics/SkinEffects.h"

namespace {

// Rows beyond those that fit the list at once.
constexpr int kVisibleRows = 7;
constexpr int kInitialRange = 11;
// A press counts for the row whose band starts this far above the row's icons.
constexpr int kRowHitAbove = 5;

}  // namespace

IconList::IconList(HWND parent) : ItemListWindow(parent) {
    Scroll().SetMaximum(kInitialRange);
}

void IconList::SetChoice(int icon, int group) {
    icon_ = icon;
    group_ = group;
    Refresh();
}

void IconList::ShowFolder(int folder) {
    folder_ = folder;
    Scroll().SetMaximum(static_cast<int>(icon_folders::Icons(folder).size()) - kVisibleRows);
    Scroll().SetPosition(0);
    Refresh();
}

RECT IconList::Cell(int row, int group) const {
    const int x = kPitch * group + kCellInset, y = kPitch * (row - Scroll().GetPosition()) + kCellInset;
    return {x, y, x + kCellSize, y + kCellSize};
}

bool IconList::ChosenCell(RECT* cell) const {
    const std::vector<int>& icons = icon_folders::Icons(folder_);
    const auto first = std::find(icons.begin(), icons.end(), icon_);
    if (first == icons.end()) return false;
    *cell = Cell(static_cast<int>(first - icons.begin()), group_);
    return true;
}

bool IconList::CanPick(POINT p) const {
    const int rows = static_cast<int>(icon_folders::Icons(folder_).size());
    for (int row = 0; row < rows; ++row)
        for (int group = 0; group < kGroups; ++group) {
            const RECT cell = Cell(row, group);
            if (PtInRect(&cell, p)) return true;
        }
    return false;
}

void IconList::Draw(HDC dc) {
    const int w = RowWidth(), h = GetSize().cy;
    SelectGuard brush(dc, GetSharedBrush(SharedBrush::Grey224));
    {
        SelectGuard pen(dc, GetSharedPen(SharedPen::Grey70));
        Rectangle(dc, 0, 0, w, h);
    }
    if (RECT cell; ChosenCell(&cell)) {
        SelectGuard selection(dc, GetSharedBrush(SharedBrush::Grey200));
        Rectangle(dc, cell.left, cell.top, cell.right, cell.bottom);
    }
    const std::vector<int>& icons = icon_folders::Icons(folder_);
    for (int row = std::max(Scroll().GetPosition(), 0), y = kIconInset; row < static_cast<int>(icons.size());
         ++row, y += kPitch) {
        for (int group = 0; group < kGroups; ++group) DrawTintedIcon(dc, icons[row], group, kIconInset + kPitch * group, y);
        if (y + kPitch > h) break;
    }
}

void IconList::InvalidateCell(const RECT& cell) {
    const RECT pixels{Px(cell.left), Px(cell.top), Px(cell.right), Px(cell.bottom)};
    InvalidateRect(hwnd_, &pixels, TRUE);
}

void IconList::Pick(POINT p) {
    RECT cell{};
    if (ChosenCell(&cell)) InvalidateCell(cell);
    if (CanPick(p)) {
        const std::vector<int>& icons = icon_folders::Icons(folder_);
        const int row = (p.y - (kIconInset - kRowHitAbove)) / kPitch + Scroll().GetPosition();
        if (row < static_cast<int>(icons.size())) {
            icon_ = icons[static_cast<size_t>(row)];
            group_ = (p.x - kIconInset) / kPitch;
        }
    }
    if (ChosenCell(&cell)) InvalidateCell(cell);
    UpdateWindow(hwnd_);
}
