#pragma once
#include "framework/ItemListWindow.h"

// The icon chooser's left list: one row per icon folder, the selected one inverted. A press
// on another folder selects it and tells the dialog (WM_COMMAND 3, no window).
class FolderList : public ItemListWindow {
public:
    static constexpr int kSelectionChanged = 3;
    static constexpr int kRowHeight = 22;

    explicit FolderList(HWND parent);

    int Selected() const { return selected_; }
    void Select(int folder);

    void Draw(HDC dc) override;

private:
    // The folder under y, which may lie past the last one.
    int RowAt(int y) const;
    // A folder's row.
    bool CanPick(POINT p) const override;
    void Pick(POINT p) override;

    int selected_ = 0;
};
