#include "graphics/TextHelpers.h"

#include "base/HandleOwners.h"

int TextWidth(HDC dc, const String& text, HFONT font) {
    const SelectGuard selected(dc, font);
    SIZE size{};
    GetTextExtentPoint32A(dc, text.Chars(), static_cast<int>(text.Length()), &size);
    return size.cx;
}
