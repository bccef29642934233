#pragma once
// The arithmetic of the device tile list and its tiles, kept free of windows so that row
// fitting, scrolling, reorder targets, tooltip areas and light frames are tested alone.

#include <utility>

namespace tiles {

constexpr int kWidth = 137;
constexpr int kRowHeight = 29;
// The first and last tile of a column reach 6 pixels beyond a plain row each.
constexpr int kColumnExtra = 12;

enum PositionKind { kOnly = 0, kFirst = 1, kMiddle = 2, kLast = 3 };

int TileHeight(int kind);      // 41 only, 35 first and last, 29 middle
int ContentTop(int kind);      // 11 for the only and first tiles, 5 otherwise
int KindAt(int row, int visibleCount);
int ColumnHeight(int visibleCount);  // 29 n + 12

// Rows that fit in a list of the given height: at least one, at most the node count
// (none for an empty list).
int FitRows(int listHeight, int nodeCount);
// The first visible index pulled back so that the last rows stay filled.
int ClampFirstVisible(int firstVisible, int visibleCount, int nodeCount);

// The index of the visible row under height y (list coordinates): the first visible row
// for anything above the list, the last for anything below it.
int ReorderTarget(int firstVisible, int visibleCount, int y);

// Which part of a tile a point names in its tooltip.
enum class TipArea { Default, Severity, Name, Port, Light };
TipArea TooltipArea(int kind, int x, int y, bool isSystem, bool lightShown);

// The light strip frame: 0 brightest .. 4 idle, 5 unlit; six more for the pressed look.
int LightFrame(int lightLevel, bool pressedInside);
// The background frame of the tile's strip (the first/last strip holds both kinds).
int BackgroundFrame(int kind, bool pressedInside);

// Moves the entry at source to target, shifting those between one place towards source.
template <typename List>
void MoveEntry(List& list, int source, int target) {
    if (source < target)
        for (int i = source; i < target; ++i) std::swap(list[i], list[i + 1]);
    else
        for (int i = source; i > target; --i) std::swap(list[i], list[i - 1]);
}

}  // namespace tiles
