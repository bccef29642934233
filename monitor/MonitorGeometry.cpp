#include "monitor/MonitorGeometry.h"

#include <algorithm>

namespace monitor_geometry {

namespace {
// Moves the span [low, high) back inside [0, limit), its length kept.
void ClampSpan(int& low, int& high, int limit) {
    const int length = high - low;
    if (low < 0) {
        low = 0;
        high = length;
    }
    if (high > limit) {
        high = limit;
        low = limit - length;
    }
}
}  // namespace

Box ClampPlacement(Box p, int screenWidth, int screenHeight) {
    ClampSpan(p.left, p.right, screenWidth);
    ClampSpan(p.top, p.bottom, screenHeight);
    return p;
}

Box SnapHeight(Box proposed, int nodeCount, const Scale& scale) {
    proposed.right = proposed.left + scale.Px(kWidth);
    const int height = std::max(scale.Logical(proposed.Height()), kMinHeight);
    const int rows = std::max(0, std::min((height - kMinHeight) / kRowHeight, nodeCount - 1));
    proposed.bottom = proposed.top + scale.Px(kMinHeight + kRowHeight * rows);
    return proposed;
}

void DragTracker::Begin(Box window, Point pointer) {
    start_ = window;
    pointer_ = pointer;
    tracking_ = true;
}

Box DragTracker::Sizing(Box proposed, bool bottomEdge, Point pointer, int nodeCount, const Scale& scale) const {
    if (tracking_ && bottomEdge) proposed.bottom = start_.bottom + (pointer.y - pointer_.y);
    return SnapHeight(proposed, nodeCount, scale);
}

Box DragTracker::Moving(Box proposed, Point pointer, int screenWidth, int screenHeight) const {
    if (tracking_) {
        const int dx = pointer.x - pointer_.x, dy = pointer.y - pointer_.y;
        proposed = {start_.left + dx, start_.top + dy, start_.right + dx, start_.bottom + dy};
    }
    return KeepInsideWhileMoving(proposed, screenWidth, screenHeight);
}

Box KeepInsideWhileMoving(Box r, int screenWidth, int screenHeight) {
    const int width = r.Width(), height = r.Height();
    if (r.left < 0) r.left = 0;
    if (r.left + width > screenWidth) r.left = screenWidth - width;
    if (r.top < 0) r.top = 0;
    if (r.top + height > screenHeight) r.top = screenHeight - height;
    return {r.left, r.top, r.left + width, r.top + height};
}

Box ShiftOntoScreen(Box r, int screenWidth, int screenHeight) {
    if (r.right > screenWidth) {
        r.left -= r.right - screenWidth;
        r.right = screenWidth;
    }
    if (r.bottom > screenHeight) {
        r.top -= r.bottom - screenHeight;
        r.bottom = screenHeight;
    }
    return r;
}

int ExpandedHeight(int rows, int maximum) {
    int height = HeightForRows(rows);
    if (height > maximum) height -= kRowHeight * ((height - maximum + kRowHeight - 1) / kRowHeight);
    return height;
}

}  // namespace monitor_geometry
