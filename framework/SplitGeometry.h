#pragma once
#include "base/Rect.h"

// Where a horizontal splitter puts its bar and its two panes. Plain arithmetic, tested
// without a window.
constexpr int kSplitterBarHeight = 5;

// The split position (the bar's top) kept so that the top pane is at least minTop high and
// the bottom pane at least minBottom. When the splitter is too short for both minimums they
// give way and the bar only stays inside the splitter, so it can still be dragged.
int ClampSplit(int position, int height, int minTop, int minBottom);

struct SplitLayout {
    Rect top;
    Rect bar;
    Rect bottom;
};

// The bar is one pixel narrower than the splitter; no pane gets a negative size.
SplitLayout LayoutSplit(int position, int width, int height);
