#pragma once

// Copies of an image laid along an edge from start while the position is before end.
// A copy that would reach past end is cut so that it ends on end itself (end - pos + 1
// pixels). draw(position, length) is called once per copy. An image of no size lays
// nothing, rather than looping for ever on a bitmap that failed to load.
template <typename Draw>
void ForEachTile(int start, int end, int size, Draw draw) {
    if (size <= 0) return;
    for (int pos = start; pos < end; pos += size) {
        draw(pos, pos + size > end ? end - pos + 1 : size);
    }
}
