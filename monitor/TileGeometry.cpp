#include "monitor/TileGeometry.h"

#include <algorithm>

namespace tiles {

int TileHeight(int kind) {
    switch (kind) {
    case kOnly: return 41;
    case kFirst:
    case kLast: return 35;
    default: return kRowHeight;
    }
}

int ContentTop(int kind) { return kind == kOnly || kind == kFirst ? 11 : 5; }

int KindAt(int row, int visibleCount) {
    if (visibleCount == 1) return kOnly;
    if (row == 0) return kFirst;
    return row == visibleCount - 1 ? kLast : kMiddle;
}

int ColumnHeight(int visibleCount) { return kRowHeight * visibleCount + kColumnExtra; }

int FitRows(int listHeight, int nodeCount) {
    // Floor division: a negative remainder must not round a short list up to a row.
    const int room = listHeight - kColumnExtra;
    const int rows = room < 0 ? -1 : room / kRowHeight;
    return std::min(std::max(rows, 1), std::max(nodeCount, 0));
}

int ClampFirstVisible(int firstVisible, int visibleCount, int nodeCount) {
    if (firstVisible + visibleCount > nodeCount) firstVisible = nodeCount - visibleCount;
    return std::max(firstVisible, 0);
}

int ReorderTarget(int firstVisible, int visibleCount, int y) {
    for (int row = 0; row < visibleCount; ++row) {
        const int height = TileHeight(KindAt(row, visibleCount));
        if (y <= height) return firstVisible + row;
        y -= height;
    }
    return firstVisible + visibleCount - 1;
}

TipArea TooltipArea(int kind, int x, int y, bool isSystem, bool lightShown) {
    if (isSystem) return x >= 32 && x < 64 ? TipArea::Name : TipArea::Default;
    const int h = TileHeight(kind);
    const int margin = (h - 24) / 2;
    if (y < margin || y > h - margin || x < 10) return TipArea::Default;
    if (x < 32) return TipArea::Severity;
    if (x < 64) return TipArea::Name;
    if (x < 108) {
        // The badge is shorter than the row; off it the tile explains itself.
        if (kind == kFirst && (y < 11 || y >= 27)) return TipArea::Default;
        if ((kind == kMiddle || kind == kLast) && (y < 5 || y >= 20)) return TipArea::Default;
        return TipArea::Port;
    }
    return lightShown && x < 122 ? TipArea::Light : TipArea::Default;
}

int LightFrame(int lightLevel, bool pressedInside) { return lightLevel + (pressedInside ? 6 : 0); }

int BackgroundFrame(int kind, bool pressedInside) {
    const int frame = pressedInside ? 1 : 0;
    return kind == kLast ? frame + 2 : frame;
}

}  // namespace tiles
