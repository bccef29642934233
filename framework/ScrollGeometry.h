#pragma once
#include <optional>

// Where a vertical scroll bar's thumb sits and what position a point on its track stands
// for. Plain arithmetic, so that the placement can be checked without a window.
struct ScrollMetrics {
    int height = 0;       // of the whole bar
    int upHeight = 0;     // of the up arrow at the top
    int downHeight = 0;   // of the down arrow at the bottom
    int thumbHeight = 0;

    // How far the thumb's top can travel.
    int Track() const { return height - upHeight - downHeight - thumbHeight; }
};

// The thumb's top for a position, or nothing when the thumb is hidden (no room to travel
// or nothing to scroll).
std::optional<int> ThumbTop(const ScrollMetrics& metrics, int position, int maximum);

// The position for a thumb top (or a pressed point) y, kept within 0 ... maximum; nothing
// when the track has no length, so that a press there changes nothing. The element bar
// counts y one pixel further down so that a short list's thumb lands where it is drawn.
std::optional<int> PositionAt(const ScrollMetrics& metrics, int y, int maximum);
// The same for the window bar of the dialogs, which takes y as it is.
std::optional<int> PositionAtExactly(const ScrollMetrics& metrics, int y, int maximum);
