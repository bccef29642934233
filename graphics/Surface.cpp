#include "graphics/Surface.h"

#include <algorithm>

#include "graphics/Dib.h"
#include "graphics/DisplayChecks.h"
#include "graphics/ScaledDC.h"

Surface::~Surface() {
    EndLimit();
    // The bitmap must leave the DC before it can be deleted; the MemoryDC goes after.
    if (bitmap_) memory_.Restore();
}

HDC Surface::Begin(HDC target) {
    EndLimit();
    target_ = target;
    RECT rect{};
    if (window_) GetWindowRect(window_, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    direct_ = width <= 0 || height <= 0;
    if (direct_) return target;

    if (width_ < width || height_ < height) Allocate(target, width, height);
    // The surface is in device pixels; the target's scale goes on to the memory DC.
    const Scale scale = DcScale(target);
    RECT shown{};
    {
        const DevicePixels device(target);
        if (GetClipBox(target, &shown) == ERROR) shown = {0, 0, width_, height_};
    }
    const RECT whole{0, 0, width_, height_};
    if (!IntersectRect(&area_, &shown, &whole)) area_ = {};

    HDC dc = memory_.GetDC();
    saved_ = SaveDC(dc);
    IntersectClipRect(dc, area_.left, area_.top, area_.right, area_.bottom);
    SetMetaRgn(dc);
    // White, outlined by the DC's pen along the bitmap's edges; the limit keeps it to the area.
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    Rectangle(dc, 0, 0, width_, height_);
    ApplyScale(dc, scale);
    return dc;
}

void Surface::EndLimit() {
    if (saved_) RestoreDC(memory_.GetDC(), saved_);
    saved_ = 0;
}

void Surface::Allocate(HDC target, int width, int height) {
    memory_.Restore();
    bitmap_.Reset();
    // Enlarge only: the bitmap never gets smaller than one made before.
    width = std::max(width, width_);
    height = std::max(height, height_);
    if (Windows98Flag()) {
        bitmap_.Reset(CreateCompatibleBitmap(target, width, height));
    } else {
        bitmap_.Reset(CreateDib(target, width, height, 24, DibOrder::TopDown, nullptr));
    }
    // Without a bitmap the next paint tries again rather than drawing into one pixel for ever.
    width_ = bitmap_ ? width : 0;
    height_ = bitmap_ ? height : 0;
    memory_.Select(bitmap_.Get());
}

void Surface::End() {
    EndLimit();
    if (direct_ || !target_ || IsRectEmpty(&area_)) return;
    const DevicePixels device(target_);
    BitBlt(target_, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top, memory_.GetDC(),
           area_.left, area_.top, SRCCOPY);
}
