#include "graphics/Region.h"

#include "graphics/RegionData.h"
#include "graphics/Resources.h"
#include "graphics/ScaledDC.h"

namespace {

HRGN EmptyRegion() { return CreateRectRgn(0, 0, 0, 0); }

// A region without a handle (a piece whose resource failed to load) counts as empty:
// GDI would fail the whole combination and leave nothing of the other side.
Region Combine(const Region& a, const Region& b, int mode) {
    Region result(EmptyRegion());
    HRGN left = a.GetHandle(), right = b.GetHandle();
    if (left && right)
        CombineRgn(result.GetHandle(), left, right, mode);
    else if (left)  // a or empty, a and not empty
        CombineRgn(result.GetHandle(), left, left, RGN_COPY);
    else if (right && mode == RGN_OR)
        CombineRgn(result.GetHandle(), right, right, RGN_COPY);
    return result;
}

}  // namespace

Region::Region() : handle_(EmptyRegion()) {}

Region::Region(HRGN handle) : handle_(handle) {}

Region::Region(const Region& other) : Region() {
    CombineRgn(handle_.Get(), other.GetHandle(), other.GetHandle(), RGN_COPY);
}

Region& Region::operator=(const Region& other) {
    if (this == &other) return *this;
    // A region left without a handle by a failed load gets one back here.
    if (!handle_) handle_.Reset(EmptyRegion());
    if (!other.GetHandle() ||
        CombineRgn(handle_.Get(), other.GetHandle(), other.GetHandle(), RGN_COPY) == ERROR) {
        SetRectRgn(handle_.Get(), 0, 0, 0, 0);
    }
    return *this;
}

Region Region::CreateRect(int x, int y, int width, int height) {
    return Region(CreateRectRgn(x, y, x + width, y + height));
}

Region Region::CreateEllipse(int x, int y, int width, int height) {
    return Region(CreateEllipticRgn(x, y, x + width, y + height));
}

Region Region::CreateRoundRect(const Rect& r, int ellipseWidth, int ellipseHeight) {
    return Region(CreateRoundRectRgn(r.x, r.y, r.x + r.width, r.y + r.height, ellipseWidth, ellipseHeight));
}

Region Region::Merge(const Region& a, const Region& b) {
    return Combine(a, b, RGN_OR);
}

Region Region::Subtract(const Region& a, const Region& b) {
    return Combine(a, b, RGN_DIFF);
}

Region Region::Offset(const Region& a, int dx, int dy) {
    Region result(a);
    OffsetRgn(result.GetHandle(), dx, dy);
    return result;
}

HRGN Region::DetachCopy() const {
    HRGN copy = EmptyRegion();
    CombineRgn(copy, GetHandle(), GetHandle(), RGN_COPY);
    return copy;
}

bool Region::Contains(int x, int y) const {
    return handle_ && PtInRegion(handle_.Get(), x, y) != FALSE;
}

bool Region::IsEmpty() const {
    RECT box;
    const int kind = handle_ ? GetRgnBox(handle_.Get(), &box) : ERROR;
    return kind == NULLREGION || kind == ERROR;
}

bool Region::LoadFromResource(UINT id) {
    const ResourceBytes bytes = FindResourceBytes(id, "RGN");
    return LoadFromData(bytes.data, bytes.size);
}

bool Region::LoadFromResource(UINT id, const Scale& scale) {
    // The skin draws its outlines at 1.5x and 2x; other scales scale the 96-DPI outline.
    const char* drawn = scale.dpi == 144 ? "RGN150" : scale.dpi == 192 ? "RGN200" : nullptr;
    if (drawn) {
        const ResourceBytes bytes = FindResourceBytes(id, drawn);
        if (LoadFromData(bytes.data, bytes.size)) return true;
    }
    if (!LoadFromResource(id)) return false;
    if (!scale.IsIdentity()) *this = ScaleRegion(*this, scale);
    return static_cast<bool>(handle_);
}

bool Region::LoadFromData(const uint8_t* data, size_t size) {
    handle_.Reset();
    const size_t extent = RegionDataExtent(data, size);
    if (extent == 0) return false;
    handle_.Reset(ExtCreateRegion(nullptr, static_cast<DWORD>(extent),
                                  reinterpret_cast<const RGNDATA*>(data)));
    return static_cast<bool>(handle_);
}
