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
    LRESULT OnLeftButtonDown(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnLeftButtonUp(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam) override;

private:
    // The folder under y, which may lie past the last one.
    int RowAt(LPARAM lParam) const;
    // The pointer cursor over a folder's row.
    void PointAt(LPARAM lParam) const;

    int selected_ = 0;
};
