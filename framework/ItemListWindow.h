#pragma once
#include <vector>

#include "framework/ListItem.h"
#include "framework/ScrollBarWindow.h"
#include "graphics/Surface.h"

// A framed list of items in a child window, scrolled item by item with a window scroll bar
// along the right edge that shows only when the items fill the panel. The panel does not
// own its items. Lists that draw rows of their own replace Draw and use the bar's position
// as their first row; lists whose rows the user picks say where a press picks and what.
class ItemListWindow : public ElxWnd {
public:
    static constexpr int kScrollCommand = 1;

    explicit ItemListWindow(HWND parent);

    // Scrolls back to the first item.
    void SetItems(const std::vector<ListItem*>& items);
    ScrollBarWindow& Scroll() { return scrollBar_; }
    const ScrollBarWindow& Scroll() const { return scrollBar_; }
    // The width the rows use: the bar's column is left out while it shows.
    int RowWidth() const;

    LRESULT OnPaint(WPARAM wParam, LPARAM lParam) override;
    void Draw(HDC dc) override;
    LRESULT OnSize(WPARAM wParam, LPARAM lParam) override;
    void OnCommand(WPARAM wParam) override;
    // The pointer shows wherever a press would pick; a press picks there.
    LRESULT OnLeftButtonDown(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnLeftButtonUp(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam) override;

protected:
    // Nothing to pick in a plain list.
    virtual bool CanPick(POINT) const { return false; }
    virtual void Pick(POINT) {}

    HWND owner_;

private:
    // Shows the bar when the content fills the panel, else hides it at the first item.
    void FitScrollBar();
    POINT PointAt(LPARAM lParam) const;

    ScrollBarWindow scrollBar_;
    std::vector<ListItem*> items_;
    int contentHeight_ = 0;
    Surface surface_;
};
