#pragma once
#include <vector>

// How a list of measured items stacks up: a 2-pixel margin at the top and a 2-pixel gap
// under every item. Plain arithmetic, tested without a window.
constexpr int kListItemGap = 2;
// Where the items start from the left edge.
constexpr int kListItemIndent = 10;

// The height all items need: the top margin plus each item and its gap.
int ListContentHeight(const std::vector<int>& itemHeights);

// The tops of the items, given the heights of the items from the first one shown, that fit
// completely (gap included) into a list of listHeight; the first that does not fit ends it.
std::vector<int> FittingItemTops(const std::vector<int>& heights, int listHeight);

// The scroll bar is shown as soon as the content fills the list, even exactly.
inline bool ListNeedsScrollBar(int contentHeight, int listHeight) { return contentHeight >= listHeight; }
