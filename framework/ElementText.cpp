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

namespace {

int WrappedText(HDC dc, HFONT font, RECT box, const String& text, UINT format) {
    SelectGuard guard(dc, font);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(dc, RGB(0, 0, 0));
    // No prefix: texts here come from devices and users, and "AT&T Modem" keeps its "&".
    const int height =
        DrawTextA(dc, text.Chars(), static_cast<int>(text.Length()), &box, DT_WORDBREAK | DT_NOPREFIX | format);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
    return height;
}

}  // namespace

int MeasureWrapped(HDC dc, HFONT font, RECT box, const String& text, UINT format) {
    return WrappedText(dc, font, box, text, format | DT_CALCRECT);
}

int DrawWrapped(HDC dc, HFONT font, RECT box, const String& text, UINT format) {
    return WrappedText(dc, font, box, text, format);
}
