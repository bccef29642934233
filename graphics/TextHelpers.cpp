#include "graphics/TextHelpers.h"

#include "base/HandleOwners.h"

SIZE TextExtent(HDC dc, HFONT font, const String& text) {
    const SelectGuard selected(dc, font);
    SIZE size{0, 0};
    GetTextExtentPoint32A(dc, text.Chars(), static_cast<int>(text.Length()), &size);
    return size;
}
