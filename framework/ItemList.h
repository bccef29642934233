#pragma once
#include <vector>

#include "framework/ListItem.h"
#include "framework/ScrollBar.h"

// A framed list of items of their own heights, scrolled item by item with a scroll bar
// along the right edge that shows only when the items fill the list. The list does not own
// its items.
class ItemList : public ContainerElement {
public:
    static constexpr int kScrollCommand = 1;

    explicit ItemList(Element* parent);

    // Scrolls back to the first item.
    void SetItems(const std::vector<ListItem*>& items);
    const ScrollBar& Scroll() const { return scrollBar_; }
    ScrollBar& Scroll() { return scrollBar_; }

    void UpdateShape() override;
    void Command(int id) override;
    void DrawSelf(HDC dc) override;

private:
    // Measures the items at the full width and shows or hides the scroll bar to match.
    void FitScrollBar();

    ScrollBar scrollBar_;
    std::vector<ListItem*> items_;
};
