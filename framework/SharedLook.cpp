#include "framework/SharedLook.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <map>

#include "base/HandleOwners.h"
#include "graphics/ResourceStrings.h"
#include "graphics/Resources.h"
#include "resources/ResourceIds.h"

namespace {

struct Look {
    SkinStrip wideButton, dialogButton, captionButton, monitorScroll, checkBox;
    BitmapStrip scrollArrow, scrollThumb, choiceButton;
    std::array<Pen, 8> pens;
    std::array<Brush, 3> brushes;
    Bitmap texture;
    std::array<CursorHandle, 4> cursors;
    std::array<String, 5> labels;
    std::array<Font, 5> fonts;
    std::array<HICON, 5> icons{};  // shared icons of LoadIconA: the system frees them
    std::array<HICON, 5> trayIcons{};  // the same at the small-icon size, shared as well
};

Look& TheLook() {
    static Look look;
    return look;
}

COLORREF Grey(int level) { return RGB(level, level, level); }

}  // namespace

LOGFONTA FontSpecToLogFont(const char* spec) {
    LOGFONTA font{};
    int height = 0, weight = 0, charset = 0;
    char face[LF_FACESIZE] = "";
    // A text that does not match leaves the remaining fields zero.
    std::sscanf(spec ? spec : "", "%d|%d|%d|%31s", &height, &weight, &charset, face);
    font.lfHeight = height;
    font.lfWeight = weight;
    font.lfCharSet = static_cast<BYTE>(charset);
    std::memcpy(font.lfFaceName, face, sizeof face);
    return font;
}

HFONT ParseFontSpec(String spec) {
    LOGFONTA font = FontSpecToLogFont(spec.Chars());
    return CreateFontIndirectA(&font);
}

void ReportLastError() { ShowLastErrorBox(); }

void LoadSharedLook(HINSTANCE instance) {
    SetResourceInstance(instance);
    Look& look = TheLook();

    look.wideButton.Load(115, IDB_WIDE_BUTTONS);
    look.dialogButton.Load(57, IDB_NARROW_BUTTONS);
    look.captionButton.Load(16, IDB_CAPTION_BUTTONS);
    look.monitorScroll.Load(kScrollBarWidth, IDB_MONITOR_SCROLL_BUTTONS);
    look.scrollArrow.Load(kScrollBarWidth, IDB_SCROLL_ARROWS);
    look.scrollThumb.Load(kScrollBarWidth, IDB_SCROLL_THUMB);
    look.choiceButton.Load(9, IDB_SLIDER_KNOB);
    look.checkBox.Load(19, IDB_CHECK_BOX);

    const COLORREF penColours[] = {Grey(112), Grey(142), Grey(70), Grey(230), Grey(180), RGB(0, 0, 0),
                                   RGB(255, 102, 0), RGB(0, 0, 255)};
    // The table's order: five grey pens, the grey 200 brush, then the coloured pens.
    for (int i = 0; i < 5; ++i) look.pens[i].Reset(CreatePen(PS_SOLID, 1, penColours[i]));
    look.brushes[0].Reset(CreateSolidBrush(Grey(200)));
    for (int i = 5; i < 8; ++i) look.pens[i].Reset(CreatePen(PS_SOLID, 1, penColours[i]));
    look.brushes[1].Reset(CreateSolidBrush(Grey(224)));
    look.brushes[2].Reset(CreateSolidBrush(Grey(165)));

    look.texture = LoadBitmapResource(IDB_BACKGROUND_TEXTURE);
    // In the order of SharedCursor, of the severities and of SharedFont.
    const WORD cursorIds[] = {IDC_SKIN_GRAB, IDC_SKIN_ARROW, IDC_SKIN_POINTER, IDC_SKIN_MOVE};
    for (int i = 0; i < 4; ++i) look.cursors[i].Reset(LoadCursorA(instance, MAKEINTRESOURCEA(cursorIds[i])));
    const UINT labelIds[] = {IDS_HEALTH_OK, IDS_HEALTH_OPTIMIZATION, IDS_HEALTH_UNRECOGNIZED, IDS_HEALTH_HARMLESS,
                             IDS_HEALTH_SERIOUS};
    for (int i = 0; i < 5; ++i) look.labels[i] = LoadResourceString(labelIds[i]);

    const UINT fontIds[] = {IDS_FONT_TEXT, IDS_FONT_TITLE, IDS_FONT_SMALL, IDS_FONT_BADGE, IDS_FONT_SMALLEST};
    for (int i = 0; i < 5; ++i) look.fonts[i].Reset(ParseFontSpec(LoadResourceString(fontIds[i])));

    const WORD iconIds[] = {IDI_APP, IDI_TRAY_SEVERITY_1, IDI_TRAY_SEVERITY_2, IDI_TRAY_SEVERITY_3, IDI_TRAY_SEVERITY_4};
    for (int i = 0; i < 5; ++i) look.icons[i] = ReportIfZero(LoadIconA(instance, MAKEINTRESOURCEA(iconIds[i])));
    // The tray shows icons at the system's small-icon size, which grows with the display
    // scale: the icon files carry each size drawn, so none is shrunk by the shell.
    for (int i = 0; i < 5; ++i) {
        look.trayIcons[i] = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(iconIds[i]), IMAGE_ICON,
                                                          GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                                          LR_SHARED));
        if (!look.trayIcons[i]) look.trayIcons[i] = look.icons[i];
    }
}

void ReleaseSharedLook() {
    Look& look = TheLook();
    for (Pen& pen : look.pens) pen.Reset();
    for (Brush& brush : look.brushes) brush.Reset();
    look.texture.Reset();
    for (Font& font : look.fonts) font.Reset();
    for (CursorHandle& cursor : look.cursors) cursor.Reset();
}

const SkinStrip& WideButtonStrip() { return TheLook().wideButton; }
const SkinStrip& DialogButtonStrip() { return TheLook().dialogButton; }
const SkinStrip& CaptionButtonStrip() { return TheLook().captionButton; }
const SkinStrip& MonitorScrollStrip() { return TheLook().monitorScroll; }
const BitmapStrip& ScrollArrowStrip() { return TheLook().scrollArrow; }
const BitmapStrip& ScrollThumbStrip() { return TheLook().scrollThumb; }
const BitmapStrip& ChoiceButtonStrip() { return TheLook().choiceButton; }
const SkinStrip& CheckBoxStrip() { return TheLook().checkBox; }

HPEN GetSharedPen(SharedPen pen) { return TheLook().pens[static_cast<size_t>(pen)].Get(); }
HBRUSH GetSharedBrush(SharedBrush brush) { return TheLook().brushes[static_cast<size_t>(brush)].Get(); }
HBITMAP BackgroundTexture() { return TheLook().texture.Get(); }
HCURSOR GetSharedCursor(SharedCursor cursor) { return TheLook().cursors[static_cast<size_t>(cursor)].Get(); }
HFONT GetSharedFont(SharedFont font) { return TheLook().fonts[static_cast<size_t>(font)].Get(); }

HFONT GetFieldFont(const Scale& scale, bool forControl) {
    if (scale.IsIdentity()) return nullptr;
    static std::map<std::pair<int, bool>, Font> made;
    Font& font = made[{scale.dpi, forControl}];
    if (font) return font.Get();
    LOGFONTA spec{};
    GetObjectA(GetStockObject(SYSTEM_FONT), sizeof spec, &spec);
    // The stock font is made for the system's DPI; its width is left to the face, as the
    // system does not always scale it along.
    const WindowDC screen(nullptr);
    const int height = MulDiv(spec.lfHeight, Scale::kBase, GetDeviceCaps(screen.Get(), LOGPIXELSY));
    spec.lfHeight = forControl ? scale.Px(height) : height;
    spec.lfWidth = 0;
    // A raster face would be enlarged in blocks.
    spec.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    font.Reset(CreateFontIndirectA(&spec));
    return font.Get();
}

HICON GetSharedIcon(int index) { return index >= 0 && index < 5 ? TheLook().icons[index] : nullptr; }
HICON GetTrayIcon(int index) { return index >= 0 && index < 5 ? TheLook().trayIcons[index] : nullptr; }

String SeverityLabel(int severity) {
    if (severity < 0 || severity > 4) return String();
    return TheLook().labels[severity];
}
