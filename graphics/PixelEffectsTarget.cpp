#include "graphics/PixelEffectsTarget.h"

#include <algorithm>
#include <vector>

#include "base/HandleOwners.h"

namespace {

std::optional<DibBits> SelectedDib(HDC dc) {
    HGDIOBJ bitmap = GetCurrentObject(dc, OBJ_BITMAP);
    DIBSECTION section{};
    if (!bitmap || GetObjectA(bitmap, sizeof section, &section) != sizeof section) return std::nullopt;
    const BITMAPINFOHEADER& header = section.dsBmih;
    const int depth = section.dsBm.bmBitsPixel;
    if (!section.dsBm.bmBits || (depth != 24 && depth != 32) || header.biCompression != BI_RGB) return std::nullopt;
    // The header does not keep the sign of the height it was made with: the rows' order is
    // probed once the origin and clip are known.
    return DibBits{static_cast<uint8_t*>(section.dsBm.bmBits), section.dsBm.bmWidth, section.dsBm.bmHeight, depth,
                   true};
}

// Where logical (0, 0) lands, if logical units are whole pixels moved but not scaled,
// turned or mirrored.
std::optional<POINT> PlainOrigin(HDC dc) {
    if (GetMapMode(dc) != MM_TEXT || GetLayout(dc) != 0) return std::nullopt;
    if (GetGraphicsMode(dc) == GM_ADVANCED) {
        XFORM transform{};
        if (!GetWorldTransform(dc, &transform) || transform.eM11 != 1.0f || transform.eM22 != 1.0f ||
            transform.eM12 != 0.0f || transform.eM21 != 0.0f) {
            return std::nullopt;
        }
    }
    POINT points[3] = {{0, 0}, {1, 0}, {0, 1}};
    if (!LPtoDP(dc, points, 3)) return std::nullopt;
    const bool plain = points[1].x == points[0].x + 1 && points[1].y == points[0].y &&
                       points[2].x == points[0].x && points[2].y == points[0].y + 1;
    if (!plain) return std::nullopt;
    return points[0];
}

// The clip region's rectangles in device coordinates; an empty list for no clip region,
// one empty rectangle for a clip that shows nothing.
std::optional<std::vector<PixelBounds>> ClipParts(HDC dc) {
    GdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
    if (!region) return std::nullopt;
    const int has = GetClipRgn(dc, region.Get());
    if (has < 0) return std::nullopt;
    std::vector<PixelBounds> parts;
    if (has == 0) return parts;
    const DWORD size = GetRegionData(region.Get(), 0, nullptr);
    if (size < sizeof(RGNDATAHEADER)) return std::nullopt;
    std::vector<DWORD> storage((size + sizeof(DWORD) - 1) / sizeof(DWORD));
    auto* data = reinterpret_cast<RGNDATA*>(storage.data());
    if (GetRegionData(region.Get(), size, data) != size) return std::nullopt;
    const RECT* rects = reinterpret_cast<const RECT*>(data->Buffer);
    for (DWORD i = 0; i < data->rdh.nCount; ++i) {
        parts.push_back({rects[i].left, rects[i].top, rects[i].right, rects[i].bottom});
    }
    if (parts.empty()) parts.push_back({});
    return parts;
}

// Whether the first row in memory is the top row: a byte of a visible pixel is changed in
// memory, and GDI shows the change at that pixel only if the rows run top-down. A pixel
// whose row is the middle one reads the same either way and is not used.
bool RowsRunTopDown(HDC dc, const DibBits& dib, POINT origin, const std::vector<PixelBounds>& clip) {
    const std::vector<PixelBounds> whole{{0, 0, dib.width, dib.height}};
    for (const PixelBounds& part : clip.empty() ? whole : clip) {
        const int64_t left = std::max<int64_t>(part.left, 0), top = std::max<int64_t>(part.top, 0);
        const int64_t right = std::min<int64_t>(part.right, dib.width), bottom = std::min<int64_t>(part.bottom, dib.height);
        for (int64_t y = top; y < bottom && y < top + 2; ++y) {
            if (left >= right || 2 * y == dib.height - 1) continue;
            uint8_t* byte = dib.bits + size_t(y) * DibRowBytes(dib.width, dib.bitsPerPixel) +
                            size_t(left) * size_t(dib.bitsPerPixel / 8);
            const int x = int(left - origin.x), logicalY = int(y - origin.y);
            const COLORREF before = GetPixel(dc, x, logicalY);
            *byte ^= 1;
            const COLORREF after = GetPixel(dc, x, logicalY);
            *byte ^= 1;
            return after != before;
        }
    }
    return true;
}

}  // namespace

std::optional<DirectPixels> FindDirectPixels(HDC dc) {
    if (!dc) return std::nullopt;
    const std::optional<DibBits> dib = SelectedDib(dc);
    if (!dib) return std::nullopt;
    const std::optional<POINT> origin = PlainOrigin(dc);
    if (!origin) return std::nullopt;
    std::optional<std::vector<PixelBounds>> clip = ClipParts(dc);
    if (!clip) return std::nullopt;
    GdiFlush();  // GDI may still hold drawing for these bits in its batch
    DirectPixels direct{*dib, origin->x, origin->y, std::move(*clip)};
    direct.dib.topDown = RowsRunTopDown(dc, direct.dib, *origin, direct.clip);
    return direct;
}
