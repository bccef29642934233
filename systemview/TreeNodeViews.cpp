#include "systemview/TreeNodeViews.h"

#include "base/HandleOwners.h"
#include "framework/NodePictures.h"
#include "framework/SharedLook.h"
#include "graphics/PixelEffects.h"
#include "graphics/ResourceStrings.h"
#include "graphics/StartupStrips.h"
#include "model/DeviceNode.h"
#include "model/TopologyItem.h"
#include "resources/ResourceIds.h"
#include "systemview/SystemTree.h"

namespace {

constexpr COLORREF kSelectedGlow = RGB(255, 102, 0);

// Texts painted or shown on every move are loaded once, not at each use.
const String& TreeText(UINT id) {
    static const String available = LoadResourceString(IDS_AVAILABLE);
    static const String select = LoadResourceString(IDS_TIP_SELECT);
    static const String systemView = LoadResourceString(IDS_TIP_SYSTEM_VIEW);
    static const String showMore = LoadResourceString(IDS_TIP_SHOW_MORE);
    static const String showLess = LoadResourceString(IDS_TIP_SHOW_LESS);
    switch (id) {
    case IDS_AVAILABLE: return available;
    case IDS_TIP_SYSTEM_VIEW: return systemView;
    case IDS_TIP_SHOW_MORE: return showMore;
    case IDS_TIP_SHOW_LESS: return showLess;
    default: return select;
    }
}

// One line of text centred on x with its top at y.
void CentredText(HDC dc, HFONT font, const String& text, int x, int y) {
    const SelectGuard chosen(dc, font);
    const UINT align = SetTextAlign(dc, TA_CENTER | TA_TOP);
    TextOutA(dc, x, y, text.Chars(), static_cast<int>(text.Length()));
    SetTextAlign(dc, align);
}

}  // namespace

bool TreeNodeView::HitTest(int x, int y) const {
    return x >= rect.x && x <= rect.x + rect.width && y >= rect.y && y <= rect.y + rect.height;
}

void TreeNodeView::Click(SystemTree&, int, int) { MessageBeep(MB_ICONASTERISK); }
String TreeNodeView::GetTooltip(int, int) const { return TreeText(IDS_TIP_SELECT); }

ComputerView::ComputerView(TopologyItem& item) : TreeNodeView(item), text_(item.Text()) {}

void ComputerView::Click(SystemTree& tree, int, int) { tree.Open(item_.Record()); }
String ComputerView::GetTooltip(int, int) const { return TreeText(IDS_TIP_SYSTEM_VIEW); }

void ComputerView::Draw(HDC dc) const { CentredText(dc, GetSharedFont(SharedFont::Text), text_, CentreX(), rect.y + 5); }

SIZE ComputerView::GetSize() {
    if (textWidth_ < 0) {
        const WindowDC screen(nullptr);
        const SelectGuard chosen(screen.Get(), GetSharedFont(SharedFont::Text));
        SIZE extent{};
        GetTextExtentPoint32A(screen.Get(), text_.Chars(), static_cast<int>(text_.Length()), &extent);
        textWidth_ = extent.cx;
    }
    return {textWidth_ + 20, 60};
}

bool HubView::HasPorts() const {
    const DeviceNode* record = item_.Record();
    return record && record->PortCount() >= 1;
}

bool HubView::IsCollapsed() const { return item_.Collapsed(); }
COLORREF HubView::FrameColour() const { return item_.UsesLetters() ? RGB(255, 255, 255) : TreeNodeView::FrameColour(); }

void HubView::Click(SystemTree& tree, int, int y) {
    if (!HasPorts()) return;
    if (OnMarker(y))
        tree.ToggleCollapsed(item_);
    else
        tree.Open(item_.Record());
}

String HubView::GetTooltip(int, int y) const {
    if (OnMarker(y) && HasPorts()) return TreeText(IsCollapsed() ? IDS_TIP_SHOW_MORE : IDS_TIP_SHOW_LESS);
    return TreeText(IDS_TIP_SELECT);
}

void HubView::Draw(HDC dc) const {
    const int centre = CentreX();
    if (selected) DrawGlow(dc, centre, AnchorY(), kSelectedGlow, FrameColour());
    const DeviceNode* record = item_.Record();
    if (!record) return;
    DrawHubPicture(dc, *record, centre - 12, rect.y);
    if (record->PortCount() >= 1) DrawExpandMarker(dc, IsCollapsed(), centre - 12, rect.y + 24);
}

void DeviceView::Click(SystemTree& tree, int, int) { tree.Open(item_.Record()); }

void DeviceView::Draw(HDC dc) const {
    const int centre = CentreX(), top = Top();
    if (selected) DrawGlow(dc, centre, top + 12, kSelectedGlow, RGB(224, 224, 224));
    const DeviceNode* record = item_.Record();
    if (!record) return;
    DrawNodeIcon(dc, *record, centre - 12, top);

    // A name that fits in two lines may spread past the icon; a longer one keeps to the
    // view's width, where the staggered neighbours leave room below.
    const String name = record->Name();
    const SelectGuard chosen(dc, GetSharedFont(SharedFont::Small));
    constexpr UINT kFormat = DT_CENTER | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX;  // a name's "&" is a letter
    RECT box{rect.x - 10, top + 24, rect.x + 50, top + 115};
    RECT measured = box;
    DrawTextA(dc, name.Chars(), -1, &measured, kFormat | DT_CALCRECT);
    if (measured.bottom - measured.top > 22) box = {rect.x, top + 24, rect.x + 40, top + 115};
    DrawTextA(dc, name.Chars(), -1, &box, kFormat);
}

void EmptyPortView::Draw(HDC dc) const {
    CentredText(dc, GetSharedFont(SharedFont::Small), TreeText(IDS_AVAILABLE), CentreX(), rect.y + 5);
}

std::unique_ptr<TreeNodeView> MakeTreeNodeView(TopologyItem& item) {
    switch (item.KindIndex()) {
    case 0: return std::make_unique<EmptyPortView>(item);
    case 1: return std::make_unique<ComputerView>(item);
    case 3: return std::make_unique<HubView>(item);
    case 4: return std::make_unique<DeviceView>(item);
    default: return nullptr;
    }
}
