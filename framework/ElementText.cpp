#include "framework/ElementText.h"

#include "base/HandleOwners.h"

void DrawLabel(HDC dc, HFONT font, int x, int y, const String& text) {
    SelectGuard guard(dc, font);
    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldColour = SetTextColor(dc, RGB(0, 0, 0));
    TextOutA(dc, x, y, text.Chars(), static_cast<int>(text.Length()));
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
}
