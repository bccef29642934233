#include "framework/ListGeometry.h"

int ListContentHeight(const std::vector<int>& itemHeights) {
    int total = kListItemGap;
    for (int height : itemHeights) total += height + kListItemGap;
    return total;
}

std::vector<int> FittingItemTops(const std::vector<int>& heights, int listHeight) {
    std::vector<int> tops;
    int y = kListItemGap;
    for (int height : heights) {
        if (y + height + kListItemGap > listHeight) break;
        tops.push_back(y);
        y += height + kListItemGap;
    }
    return tops;
}
