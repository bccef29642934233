#include "framework/ScrollGeometry.h"

#include <algorithm>

namespace {

// Rounds towards minus infinity; 64-bit so that long lists cannot overflow the product.
int FloorDiv(long long numerator, long long denominator) {
    long long quotient = numerator / denominator;
    if ((numerator % denominator != 0) && ((numerator < 0) != (denominator < 0))) --quotient;
    return static_cast<int>(quotient);
}

}  // namespace

std::optional<int> ThumbTop(const ScrollMetrics& metrics, int position, int maximum) {
    int track = metrics.Track();
    if (track < 1 || maximum < 1) return std::nullopt;
    return metrics.upHeight + FloorDiv(static_cast<long long>(position) * track, maximum);
}

std::optional<int> PositionAtExactly(const ScrollMetrics& metrics, int y, int maximum) {
    int track = metrics.Track();
    if (track < 1) return std::nullopt;
    int position = FloorDiv(static_cast<long long>(y - metrics.upHeight) * maximum, track);
    return std::clamp(position, 0, std::max(maximum, 0));
}

std::optional<int> PositionAt(const ScrollMetrics& metrics, int y, int maximum) {
    // The +1 lets a short list's thumb, dragged to where a position draws it, land on it.
    return PositionAtExactly(metrics, y + 1, maximum);
}
