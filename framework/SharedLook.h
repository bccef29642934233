#pragma once
#include <windows.h>

#include "base/Scale.h"
#include "base/String.h"
#include "graphics/ImageStrips.h"

// GDI objects, cursors, icons, fonts, labels and image strips that every window shares.
// Made once by LoadSharedLook at the start and released by ReleaseSharedLook at the end;
// callers never own what the accessors return.
void LoadSharedLook(HINSTANCE instance);
void ReleaseSharedLook();

// Image strips. Scroll arrows, thumbs and the monitor's scroll buttons are a scroll bar wide.
inline constexpr int kScrollBarWidth = 15;
const SkinStrip& WideButtonStrip();      // wide push buttons
const SkinStrip& DialogButtonStrip();    // dialog push buttons
const SkinStrip& CaptionButtonStrip();   // caption buttons
const SkinStrip& MonitorScrollStrip();   // monitor scroll buttons
const BitmapStrip& ScrollArrowStrip();   // scroll arrows
const BitmapStrip& ScrollThumbStrip();   // scroll thumb
const BitmapStrip& ChoiceButtonStrip();  // alert option choices
const SkinStrip& CheckBoxStrip();        // check boxes

// Pens and brushes.
enum class SharedPen { Grey112, Grey142, Grey70, Grey230, Grey180, Black, Orange, Blue };
enum class SharedBrush { Grey200, Grey224, Grey165 };
HPEN GetSharedPen(SharedPen pen);
HBRUSH GetSharedBrush(SharedBrush brush);

HBITMAP BackgroundTexture();  // a DIB section

enum class SharedCursor { Grab, Arrow, Pointer, DragWindow };
HCURSOR GetSharedCursor(SharedCursor cursor);

enum class SharedFont { Text, Title, Small, Badge, Smallest };
HFONT GetSharedFont(SharedFont font);

// The font of the text fields and their labels: the system font. At 96 DPI null, for the
// control's or the DC's own; at another scale one of the system font's face and weight at
// its 96-DPI height, in pixels of the scale for a system-drawn control (forControl) or in
// 96-DPI units for a scaled DC. Made once per use and kept.
HFONT GetFieldFont(const Scale& scale, bool forControl);

// Index 0 the application icon, 1 to 4 the tray image of that severity.
HICON GetSharedIcon(int index);
// The same icon at the system's small-icon size, for the tray.
HICON GetTrayIcon(int index);

// The health label of a severity 0 to 4; an empty text for any other value.
String SeverityLabel(int severity);

// A font from its text form "height|weight|charset|face"; the text is consumed.
HFONT ParseFontSpec(String spec);
// The LOGFONTA that ParseFontSpec creates its font from.
LOGFONTA FontSpecToLogFont(const char* spec);

// Reports a zero result (null handle or FALSE) with the system's text of the last error
// in the error box, and hands the value back unchanged.
template <typename T>
T ReportIfZero(T value);
void ReportLastError();

template <typename T>
T ReportIfZero(T value) {
    if (!value) ReportLastError();
    return value;
}
