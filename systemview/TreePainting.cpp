#include "systemview/TreePainting.h"

#include <algorithm>
#include <cstdio>

#include "base/HandleOwners.h"
#include "framework/SharedLook.h"
#include "graphics/PixelEffects.h"
#include "model/DeviceNode.h"
#include "model/TopologyItem.h"
#include "systemview/TreeLayout.h"
#include "systemview/TreeNodeView.h"

namespace {

constexpr COLORREF kOrange = RGB(255, 102, 0), kBlue = RGB(0, 0, 255), kBlack = RGB(0, 0, 0);
// Halos reach this far from a view's anchor; a device's name this far below its top.
constexpr int kHaloReach = 26;
constexpr int kNameReach = 115;

bool Meets(int left, int top, int right, int bottom, const RECT& area) {
    return left < area.right && right > area.left && top < area.bottom && bottom > area.top;
}

// Where the port circles of one hub line up: every other child sits lower, so its level
// is counted from a top 40 pixels higher.
int PortLevel(const TreeNodeView& child) {
    const int port = child.indexInParent + 1;
    return child.Top() - 30 - (port % 2 == 0 ? 40 : 0);
}

}  // namespace

void DrawComputerBox(HDC dc, const TreeNodeView& computer) {
    const SelectGuard pen(dc, GetSharedPen(SharedPen::Black));
    const SelectGuard brush(dc, GetStockObject(WHITE_BRUSH));
    const Rect& r = computer.rect;
    RoundRect(dc, r.x, r.y, r.x + r.width, r.y + r.height, 8, 8);
}

void DrawConnector(HDC dc, const TreeConnector& connector) {
    const TreeNodeView& parent = *connector.parent;
    const TreeNodeView& child = *connector.child;
    const int px = parent.CentreX(), qx = child.CentreX();
    const int fork = parent.rect.y + parent.rect.height + 10;
    const int level = PortLevel(child);

    const SharedPen stemPen = parent.onSelectedPath    ? SharedPen::Orange
                              : parent.hasSpecialChild ? SharedPen::Blue
                                                       : SharedPen::Black;
    {
        const SelectGuard pen(dc, GetSharedPen(stemPen));
        MoveToEx(dc, px, parent.Bottom(), nullptr);
        LineTo(dc, px, fork);
    }

    const bool special = parent.specialLink && child.specialLink;
    const COLORREF colour = connector.marked ? kOrange : special ? kBlue : kBlack;
    const SharedPen branchPen = connector.marked ? SharedPen::Orange : special ? SharedPen::Blue : SharedPen::Black;
    DrawAntialiasedLine(dc, px, fork, qx, level, colour);
    const SelectGuard pen(dc, GetSharedPen(branchPen));
    MoveToEx(dc, qx, level, nullptr);
    LineTo(dc, qx, child.Top());

    const SelectGuard brush(dc, GetSharedBrush(SharedBrush::Grey224));
    Ellipse(dc, qx - 7, level + 5, qx + 8, level + 20);
    char number[12];
    const int length = std::snprintf(number, sizeof number, "%d", child.indexInParent + 1);
    const SelectGuard font(dc, GetSharedFont(SharedFont::Badge));
    const int mode = SetBkMode(dc, TRANSPARENT);
    const UINT align = SetTextAlign(dc, TA_CENTER | TA_TOP);
    TextOutA(dc, qx, level + 7, number, length);
    SetTextAlign(dc, align);
    SetBkMode(dc, mode);
}

void DrawSeverityHalo(HDC dc, const TreeNodeView& view) {
    static constexpr COLORREF kHalo[] = {RGB(237, 147, 207), RGB(123, 148, 184), RGB(255, 181, 65),
                                         RGB(237, 116, 116)};
    const DeviceNode* record = view.Item().Record();
    const int severity = record ? record->Severity() : 0;
    if (severity < 1 || severity > 4) return;
    DrawGlow(dc, view.CentreX(), view.AnchorY(), kHalo[severity - 1], view.FrameColour());
}

bool ViewMayShowIn(const TreeNodeView& view, const RECT& area) {
    const Rect& r = view.rect;
    return Meets(r.x - kHaloReach, r.y - kHaloReach, r.x + r.width + kHaloReach,
                 std::max(r.y + r.height + kHaloReach, r.y + kNameReach), area);
}

bool ConnectorMayShowIn(const TreeConnector& connector, const RECT& area) {
    const TreeNodeView& parent = *connector.parent;
    const TreeNodeView& child = *connector.child;
    const int left = std::min(parent.CentreX(), child.CentreX()) - 8;
    const int right = std::max(parent.CentreX(), child.CentreX()) + 9;
    const int top = std::min(parent.Bottom(), PortLevel(child));
    const int bottom = std::max(parent.rect.y + parent.rect.height + 11, child.Top() + 1);
    return Meets(left, top, right, bottom, area);
}
