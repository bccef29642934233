#include "dialogs/FolderList.h"

#include "base/HandleOwners.h"
#include "dialogs/IconFolders.h"
#include "framework/SharedLook.h"
#include "graphics/StartupStrips.h"

namespace {

constexpr int kFirstBaseline = 27;   // the white line under the first row
constexpr int kTextAbove = 19;       // from a row's line up to its text's top
constexpr int kSelectedFrame = 0, kPlainFrame = 1;

}  // namespace

FolderList::FolderList(HWND parent) : ItemListWindow(parent) {}

void FolderList::Select(int folder) {
    selected_ = folder;
    Refresh();
}

int FolderList::RowAt(int y) const { return y / kRowHeight + Scroll().GetPosition(); }
bool FolderList::CanPick(POINT p) const { return RowAt(p.y) < icon_folders::kCount; }

void FolderList::Draw(HDC dc) {
    const int w = RowWidth(), h = GetSize().cy;
    {
        SelectGuard pen(dc, GetSharedPen(SharedPen::Grey70));
        SelectObject(dc, GetSharedBrush(SharedBrush::Grey224));
        Rectangle(dc, 0, 0, w, h);
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_LEFT | TA_TOP);
    const SelectGuard font(dc, GetFieldFont(scale_, false));
    for (int folder = Scroll().GetPosition(), b = kFirstBaseline; folder < icon_folders::kCount;
         ++folder, b += kRowHeight) {
        const bool selected = folder == selected_;
        DrawIconFolder(dc, selected ? kSelectedFrame : kPlainFrame, 8, b - kTextAbove);
        if (selected) {
            const RECT band{26, b - 20, 154, b - 1};
            FillRect(dc, &band, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        }
        SetTextColor(dc, selected ? RGB(255, 255, 255) : RGB(0, 0, 0));
        const String name = icon_folders::Name(folder);
        TextOutA(dc, 28, b - kTextAbove, name.Chars(), static_cast<int>(name.Length()));
        {
            SelectGuard pen(dc, GetStockObject(WHITE_PEN));
            MoveToEx(dc, 1, b, nullptr);
            LineTo(dc, w - 1, b);
        }
        if (b + kRowHeight - kTextAbove > h) break;
    }
}

void FolderList::Pick(POINT p) {
    const int row = RowAt(p.y);
    if (row >= icon_folders::kCount || row == selected_) return;
    Select(row);
    SendMessageA(GetParent(hwnd_), WM_COMMAND, kSelectionChanged, 0);
}
