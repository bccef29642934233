#include "systemview/DetailGeometry.h"

#include <algorithm>

namespace detail_geometry {

RECT ClampPlacement(RECT r, int screenWidth, int screenHeight) {
    const int width = r.right - r.left, height = r.bottom - r.top;
    if (r.left < 0) r.left = 0, r.right = width;
    if (r.right > screenWidth) r.right = screenWidth, r.left = screenWidth - width;
    if (r.top < 0) r.top = 0, r.bottom = height;
    if (r.bottom > screenHeight) r.bottom = screenHeight, r.top = screenHeight - height;
    return r;
}

RECT PlacedBox(RECT p, const Scale& scale) {
    return {p.left, p.top, p.left + scale.Px(p.right - p.left), p.top + scale.Px(p.bottom - p.top)};
}

RECT PlacementOf(RECT box, const Scale& scale) {
    return {box.left, box.top, box.left + scale.Logical(box.right - box.left),
            box.top + scale.Logical(box.bottom - box.top)};
}

RECT PlacementOnScreen(RECT placement, const Scale& scale, int screenWidth, int screenHeight) {
    return PlacementOf(ClampPlacement(PlacedBox(placement, scale), screenWidth, screenHeight), scale);
}

RECT FitIntoWorkArea(RECT r, RECT work) {
    if (r.right > work.right) {
        r.left += work.right - r.right - 1;
        r.right = work.right - 1;
    }
    if (r.bottom > work.bottom) {
        r.top += work.bottom - r.bottom - 1;
        r.bottom = work.bottom - 1;
    }
    if (r.left < work.left) r.left = work.left + 1;
    if (r.top < work.top) r.top = work.top + 1;
    return r;
}

SIZE GripSize(POINT topLeft, POINT corner, const RECT& work, const MINMAXINFO& limits) {
    corner.y = std::min<LONG>(corner.y, work.bottom);
    // The minimum wins on a screen smaller than it.
    const LONG width = std::max(std::min(corner.x - topLeft.x, limits.ptMaxTrackSize.x), limits.ptMinTrackSize.x);
    const LONG height = std::max(std::min(corner.y - topLeft.y, limits.ptMaxTrackSize.y), limits.ptMinTrackSize.y);
    return {width, height};
}

}  // namespace detail_geometry
