#include "graphics/PixelEffectsTarget.h"

#include <algorithm>
#include <vector>

#include "base/HandleOwners.h"

// Finding the bits is paid on every effect, so it asks GDI as little as it can: a clip of
// one rectangle (the usual case) is read from the clip box without building a region.

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
        POINT origin{0, 0};  // the transform may still move it
        return LPtoDP(dc, &origin, 1) ? std::optional<POINT>(origin) : std::nullopt;
    }
    // MM_TEXT maps one logical unit to one pixel: only the two origins move it.
    POINT viewport{}, window{};
    if (!GetViewportOrgEx(dc, &viewport) || !GetWindowOrgEx(dc, &window)) return std::nullopt;
    return POINT{viewport.x - window.x, viewport.y - window.y};
}

// The clip region's rectangles in device coordinates, or nothing if they cannot be read.
std::optional<std::vector<PixelBounds>> ClipRegionParts(HDC dc) {
    GdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
    if (!region || GetClipRgn(dc, region.Get()) != 1) return std::nullopt;
    const DWORD size = GetRegionData(region.Get(), 0, nullptr);
    if (size < sizeof(RGNDATAHEADER)) return std::nullopt;
    std::vector<DWORD> storage((size + sizeof(DWORD) - 1) / sizeof(DWORD));
    auto* data = reinterpret_cast<RGNDATA*>(storage.data());
    if (GetRegionData(region.Get(), size, data) != size) return std::nullopt;
    const RECT* rects = reinterpret_cast<const RECT*>(data->Buffer);
    std::vector<PixelBounds> parts;
    for (DWORD i = 0; i < data->rdh.nCount; ++i) {
        parts.push_back({rects[i].left, rects[i].top, rects[i].right, rects[i].bottom});
    }
    return parts;
}

// What shows, in device coordinates, into `direct`. The clip box is already cut to the
// bitmap (and to a meta region, which the surfaces keep rectangular), and is the whole
// story unless the clip has several rectangles.
bool FindVisibleArea(HDC dc, DirectPixels& direct) {
    RECT box{};
    const int kind = GetClipBox(dc, &box);
    if (kind == ERROR) return false;
    if (kind == NULLREGION) return true;
    const int64_t dx = direct.originX, dy = direct.originY;
    direct.box = {box.left + dx, box.top + dy, box.right + dx, box.bottom + dy};
    if (kind != COMPLEXREGION) return true;
    std::optional<std::vector<PixelBounds>> parts = ClipRegionParts(dc);
    if (!parts) return false;
    for (const PixelBounds& part : *parts) {
        const PixelBounds cut{std::max(part.left, direct.box.left), std::max(part.top, direct.box.top),
                              std::min(part.right, direct.box.right), std::min(part.bottom, direct.box.bottom)};
        if (cut.left < cut.right && cut.top < cut.bottom) direct.parts.push_back(cut);
    }
    if (direct.parts.empty()) direct.box = {};
    return true;
}

// Whether the first row in memory is the top row. A byte of a visible pixel is changed in
// memory and GDI asked for that pixel once: it shows the changed pixel if the rows run
// top-down, and the one in the mirrored row if they run bottom-up. The byte's change is
// picked so that the two differ; a pixel in the middle row is its own mirror and not used.
bool RowsRunTopDown(HDC dc, const DirectPixels& direct) {
    const DibBits& dib = direct.dib;
    const size_t rowBytes = DibRowBytes(dib.width, dib.bitsPerPixel), pixelBytes = size_t(dib.bitsPerPixel / 8);
    const auto colorAt = [&](int64_t x, int64_t row) {
        const uint8_t* p = dib.bits + size_t(row) * rowBytes + size_t(x) * pixelBytes;
        return COLORREF(p[2] | p[1] << 8 | p[0] << 16);
    };
    for (const PixelBounds& part : direct.Shown()) {
        const int64_t left = std::max<int64_t>(part.left, 0), right = std::min<int64_t>(part.right, dib.width);
        const int64_t top = std::max<int64_t>(part.top, 0), bottom = std::min<int64_t>(part.bottom, dib.height);
        for (int64_t y = top; y < bottom && y < top + 2; ++y) {
            if (left >= right || 2 * y == dib.height - 1) continue;
            uint8_t* byte = dib.bits + size_t(y) * rowBytes + size_t(left) * pixelBytes;
            const COLORREF mirrored = colorAt(left, dib.height - 1 - y);
            const uint8_t change = (colorAt(left, y) ^ 0x10000) == mirrored ? 2 : 1;  // byte 0 is blue
            *byte ^= change;
            const COLORREF changed = colorAt(left, y);
            const COLORREF shown = GetPixel(dc, int(left - direct.originX), int(y - direct.originY));
            *byte ^= change;
            return shown == changed;
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
    DirectPixels direct{*dib, origin->x, origin->y, {}, {}};
    if (!FindVisibleArea(dc, direct)) return std::nullopt;
    GdiFlush();  // GDI may still hold drawing for these bits in its batch
    direct.dib.topDown = RowsRunTopDown(dc, direct);
    return direct;
}
