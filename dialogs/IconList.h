#pragma once
#include "framework/ItemListWindow.h"

// The icon chooser's right list: the icons of one folder, a row each, every icon in its
// seven colour variants (icon groups 0 to 6). A press on a cell chooses that icon and
// group; the chosen cell is marked while its icon is in the shown folder.
class IconList : public ItemListWindow {
public:
    static constexpr int kGroups = 7;
    static constexpr int kPitch = 38;      // from one cell to the next, both ways
    static constexpr int kCellSize = 28;
    static constexpr int kCellInset = 6;   // the first cell's top-left corner
    static constexpr int kIconInset = 8;   // the first icon's top-left corner

    explicit IconList(HWND parent);

    void SetChoice(int icon, int group);
    int ChosenIcon() const { return icon_; }
    int ChosenGroup() const { return group_; }
    // Shows a folder from its first row; the choice stays as it is.
    void ShowFolder(int folder);
    int ShownFolder() const { return folder_; }

    void Draw(HDC dc) override;

private:
    // The cell of a row of the folder and a group, in the list's coordinates.
    RECT Cell(int row, int group) const;
    // The chosen cell, when the chosen icon is in the shown folder.
    bool ChosenCell(RECT* cell) const;
    void InvalidateCell(const RECT& cell);
    // Any cell of the shown folder.
    bool CanPick(POINT p) const override;
    void Pick(POINT p) override;

    int icon_ = 0;
    int group_ = 0;
    int folder_ = 0;
};
