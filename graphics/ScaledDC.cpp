#include "graphics/ScaledDC.h"

#include <cmath>
#include <vector>

void ApplyScale(HDC dc, const Scale& scale) {
    if (!dc) return;
    if (scale.IsIdentity()) {
        // A DC kept by its window (the lights hold one) may carry an earlier scale.
        if (GetGraphicsMode(dc) == GM_ADVANCED) {
            ModifyWorldTransform(dc, nullptr, MWT_IDENTITY);
            SetGraphicsMode(dc, GM_COMPATIBLE);
        }
        return;
    }
    SetGraphicsMode(dc, GM_ADVANCED);
    const float f = static_cast<float>(scale.Factor());
    const XFORM transform{f, 0, 0, f, 0, 0};
    SetWorldTransform(dc, &transform);
}

Scale DcScale(HDC dc) {
    XFORM transform{};
    if (!dc || GetGraphicsMode(dc) != GM_ADVANCED || !GetWorldTransform(dc, &transform)) return {};
    return Scale::FromDpi(static_cast<unsigned>(std::lround(transform.eM11 * Scale::kBase)));
}

Region ScaleRegion(const Region& region, const Scale& scale) {
    if (scale.IsIdentity() || !region.GetHandle()) return region;
    const DWORD size = GetRegionData(region.GetHandle(), 0, nullptr);
    if (!size) return Region();
    std::vector<unsigned char> buffer(size);
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    if (!GetRegionData(region.GetHandle(), size, data)) return Region();
    auto* rects = reinterpret_cast<RECT*>(data->Buffer);
    for (DWORD i = 0; i < data->rdh.nCount; ++i) {
        rects[i] = {scale.Px(rects[i].left), scale.Px(rects[i].top), scale.Px(rects[i].right), scale.Px(rects[i].bottom)};
    }
    const RECT& box = data->rdh.rcBound;
    data->rdh.rcBound = {scale.Px(box.left), scale.Px(box.top), scale.Px(box.right), scale.Px(box.bottom)};
    return Region(ExtCreateRegion(nullptr, size, data));
}

namespace {

bool ScaledTransform(HDC dc, XFORM* transform) {
    return GetGraphicsMode(dc) == GM_ADVANCED && GetWorldTransform(dc, transform) && transform->eM11 != 1.0f;
}

}  // namespace

POINT GetPaintOrigin(HDC dc) {
    XFORM t{};
    POINT origin{};
    if (!ScaledTransform(dc, &t)) {
        GetWindowOrgEx(dc, &origin);
        return origin;
    }
    return {static_cast<LONG>(std::lround(-t.eDx / t.eM11)), static_cast<LONG>(std::lround(-t.eDy / t.eM22))};
}

void SetPaintOrigin(HDC dc, POINT origin) {
    XFORM t{};
    if (!ScaledTransform(dc, &t)) {
        SetWindowOrgEx(dc, origin.x, origin.y, nullptr);
        return;
    }
    t.eDx = -static_cast<float>(origin.x) * t.eM11;
    t.eDy = -static_cast<float>(origin.y) * t.eM22;
    SetWorldTransform(dc, &t);
}

DevicePixels::DevicePixels(HDC dc) : dc_(dc) {
    scaled_ = ScaledTransform(dc_, &saved_);
    if (scaled_) {
        origin_ = GetPaintOrigin(dc_);
        scale_ = DcScale(dc_);
        ModifyWorldTransform(dc_, nullptr, MWT_IDENTITY);
    } else {
        GetWindowOrgEx(dc_, &origin_);
        SetWindowOrgEx(dc_, 0, 0, nullptr);
    }
}

DevicePixels::~DevicePixels() {
    if (scaled_) SetWorldTransform(dc_, &saved_);
    else SetWindowOrgEx(dc_, origin_.x, origin_.y, nullptr);
}

POINT DevicePixels::ToDevice(int x, int y) const { return {scale_.Px(x - origin_.x), scale_.Px(y - origin_.y)}; }
