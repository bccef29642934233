#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "base/HandleOwners.h"
#include "base/Rect.h"
#include "base/Scale.h"

// A GDI region as a value: the outline of a skinned window or the shape of an element.
// Copies get their own handle with the same area. All rectangles are (x, y, width, height)
// and cover x <= px < x + width, y <= py < y + height. A failed GDI call leaves an empty area.
class Region {
public:
    Region();  // empty
    explicit Region(HRGN handle);  // takes ownership of handle
    Region(const Region& other);
    Region& operator=(const Region& other);
    Region(Region&& other) noexcept = default;
    Region& operator=(Region&& other) noexcept = default;
    ~Region() = default;

    static Region CreateRect(int x, int y, int width, int height);
    static Region CreateEllipse(int x, int y, int width, int height);
    static Region CreateRoundRect(const Rect& rect, int ellipseWidth, int ellipseHeight);
    static Region Merge(const Region& a, const Region& b);     // a or b
    static Region Subtract(const Region& a, const Region& b);  // a and not b
    static Region Offset(const Region& a, int dx, int dy);

    // A new handle with the same area, owned by the caller (SetWindowRgn takes its handle).
    HRGN DetachCopy() const;
    bool Contains(int x, int y) const;
    bool IsEmpty() const;

    // Replaces the area with the "RGN" resource id of the program's module. On failure the
    // region holds no handle and the result is false.
    bool LoadFromResource(UINT id);
    // The outline drawn for the scale ("RGN150", "RGN200"), in pixels of that scale; the
    // 96-DPI outline scaled where the skin has none.
    bool LoadFromResource(UINT id, const Scale& scale);
    // The same from an RGNDATA block in memory. A block whose rectangle count reaches past
    // its end is refused before any of it is read.
    bool LoadFromData(const uint8_t* data, size_t size);

    HRGN GetHandle() const { return handle_.Get(); }

private:
    GdiObject<HRGN> handle_;
};
