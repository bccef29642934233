#include "framework/SplitGeometry.h"

#include <algorithm>

int ClampSplit(int position, int height, int minTop, int minBottom) {
    int highest = height - minBottom - kSplitterBarHeight;
    if (highest < minTop) return std::clamp(position, 0, std::max(height - kSplitterBarHeight, 0));
    if (position < minTop) return minTop;
    if (position > highest) return highest;
    return position;
}

SplitLayout LayoutSplit(int position, int width, int height) {
    int below = position + kSplitterBarHeight;
    return {
        {0, 0, std::max(width, 0), std::max(position, 0)},
        {0, position, std::max(width - 1, 0), kSplitterBarHeight},
        {0, below, std::max(width, 0), std::max(height - below, 0)},
    };
}
