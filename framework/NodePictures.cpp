#include "framework/NodePictures.h"

#include "framework/SharedLook.h"
#include "base/HandleOwners.h"
#include "graphics/SkinEffects.h"
#include "graphics/StartupStrips.h"
#include "graphics/TextHelpers.h"
#include "model/DeviceNode.h"
#include "model/TopologyItem.h"

namespace {

constexpr int kOverlayIcon = -1;
constexpr int kPictureCentre = 12;
constexpr int kKindLabelTop = 2;
constexpr int kPortLabelTop = 10;

void DrawOverlayIfUsb2(HDC dc, const DeviceNode& node, int x, int y) {
    if (node.IsUsb2()) DrawTintedIcon(dc, kOverlayIcon, 0, x, y);
}

void DrawCentred(HDC dc, HFONT font, const String& text, int x, int y) {
    const SelectGuard selected(dc, font);
    TextOutA(dc, x, y, text.Chars(), static_cast<int>(text.Length()));
}

void BadgeText(HDC dc, const String& text, int centre, int y, COLORREF color) {
    SetTextColor(dc, color);
    const int width = TextExtent(dc, GetSharedFont(SharedFont::Badge), text).cx;
    TextOutA(dc, centre - width / 2, y, text.Chars(), static_cast<int>(text.Length()));
}

}  // namespace

void DrawNodeBadge(HDC dc, const DeviceNode& node, bool pressed, int x, int y) {
    const int type = node.PortDesignationType();
    DrawPortBadge(dc, type, pressed, x, y);
    const SelectGuard font(dc, GetSharedFont(SharedFont::Badge));
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const UINT oldAlign = SetTextAlign(dc, TA_LEFT | TA_TOP);
    const COLORREF oldColor = GetTextColor(dc);
    BadgeText(dc, node.PortDesignation(), x + 7, y + 2, type == 3 ? RGB(255, 255, 255) : RGB(0, 0, 0));
    BadgeText(dc, node.UpstreamHubNumber(), x + 31, y + 2, RGB(0, 0, 0));
    SetTextColor(dc, oldColor);
    SetTextAlign(dc, oldAlign);
    SetBkMode(dc, oldMode);
}

int HubPlateFrame(uint16_t flags) { return (flags >> 4) & 0x3FF; }

void DrawNodePicture(HDC dc, const DeviceNode& node, int x, int y) {
    if (node.IsHub()) {
        DrawHubPicture(dc, node, x, y);
    } else {
        DrawNodeIcon(dc, node, x, y);
    }
}

void DrawNodeIcon(HDC dc, const DeviceNode& node, int x, int y) {
    DrawTintedIcon(dc, node.IconNumber(), node.IconGroup(), x, y);
    DrawOverlayIfUsb2(dc, node, x, y);
}

void DrawHubPicture(HDC dc, const DeviceNode& node, int x, int y) {
    const int frame = HubPlateFrame(node.Flags());
    DrawHubPlate(dc, frame, x, y);
    DrawOverlayIfUsb2(dc, node, x, y);
    if (!node.IsConnected()) return;

    const UINT alignment = GetTextAlign(dc);
    SetTextColor(dc, frame == kDarkHubPlate ? RGB(255, 255, 255) : RGB(0, 0, 0));
    SetTextAlign(dc, TA_CENTER | TA_TOP);
    SetBkMode(dc, TRANSPARENT);
    if (const TopologyItem* item = node.Item()) {
        DrawCentred(dc, GetSharedFont(SharedFont::Smallest), node.IsDirectHub() ? "USB" : "HUB", x + kPictureCentre,
                    y + kKindLabelTop);
        DrawCentred(dc, GetSharedFont(SharedFont::Small), item->PortLabel(), x + kPictureCentre, y + kPortLabelTop);
    }
    SetTextColor(dc, RGB(0, 0, 0));
    SetTextAlign(dc, alignment);
}
