#include "systemview/SystemTree.h"

#include <algorithm>

#include "framework/SharedLook.h"
#include "graphics/PixelEffects.h"
#include "graphics/Region.h"
#include "graphics/ScaledDC.h"
#include "model/DeviceNode.h"
#include "model/DeviceTree.h"
#include "model/TopologyItem.h"
#include "systemview/TreePainting.h"

namespace {

// The margin kept around the diagram when it is panned to its edge.
constexpr int kMargin = 10;

// Where an offset may lie so that the margin box covers the visible length, or, when it
// is shorter, stays within it.
int ClampAxis(int offset, int boxStart, int boxLength, int visible) {
    const int length = boxLength + 2 * kMargin;
    const int low = boxStart - kMargin - std::max(0, visible - length);
    const int high = boxStart - kMargin + std::max(0, length - visible);
    return std::clamp(offset, low, high);
}

}  // namespace

SystemTree::SystemTree(Element* parent, DeviceTree& model, DeviceNode* record)
    : PanCanvas(parent), model_(model), set_(std::make_unique<TreeViewSet>()) {
    LayOut(false);
    Centre();
    SelectRecord(record);
}

void SystemTree::Open(DeviceNode* record) {
    if (record && open_) open_(record);
}

void SystemTree::Rebuild() {
    // Nothing may point into the old views once they are gone.
    views_.clear();
    connectors_.clear();
    selected_ = nullptr;
    set_ = std::make_unique<TreeViewSet>();
    LayOut(true);
}

void SystemTree::LayOut(bool keepRoot) {
    const TreeNodeView* computer = keepRoot ? set_->Computer() : nullptr;
    const POINT before = computer ? POINT{computer->rect.x, computer->rect.y} : POINT{};
    box_ = LayOutTree(*set_, model_.RootItem(), views_, connectors_);
    if (computer) {
        offset_.x += computer->rect.x - before.x;
        offset_.y += computer->rect.y - before.y;
    }
}

void SystemTree::Centre() {
    offset_.x = box_.x - (width_ - box_.width) / 2;
    offset_.y = box_.y - (height_ - box_.height) / 2;
    ClampOffset();
}

void SystemTree::ClampOffset() {
    offset_.x = ClampAxis(offset_.x, box_.x, box_.width, width_);
    offset_.y = ClampAxis(offset_.y, box_.y, box_.height, height_);
}

void SystemTree::ExpandAncestors(TopologyItem& item) {
    bool expanded = false;
    for (TopologyItem* up = item.Parent(); up; up = up->Parent()) {
        if (!up->Collapsed()) continue;
        up->SetCollapsed(false);
        expanded = true;
    }
    if (expanded) LayOut(true);
}

void SystemTree::ToggleCollapsed(TopologyItem& item) {
    item.SetCollapsed(!item.Collapsed());
    MarkPath(selected_, false);
    LayOut(true);
}

void SystemTree::SelectRecord(DeviceNode* record) {
    TopologyItem* item = record ? record->Item() : nullptr;
    if (item) ExpandAncestors(*item);
    ClampOffset();
    if (selected_) {
        selected_->selected = false;
        MarkPath(selected_, false);
    }
    selected_ = item ? set_->ViewFor(item) : nullptr;
    if (selected_) {
        selected_->selected = true;
        MarkPath(selected_, true);
    }
}

void SystemTree::MarkPath(TreeNodeView* view, bool marked) {
    while (view) {
        auto link = std::find_if(connectors_.begin(), connectors_.end(),
                                 [view](const TreeConnector& c) { return c.child == view; });
        if (link == connectors_.end()) return;
        link->marked = marked;
        link->parent->onSelectedPath = marked;
        view = link->parent;
    }
}

void SystemTree::ClickView(TreeNodeView& view, int x, int y) { view.Click(*this, x, y); }

void SystemTree::UpdateShape() {
    // Square top corners meet the split bar; the bottom ones are rounded.
    shape_ = Region::Merge(Region::CreateRoundRect({0, 0, width_, height_}, 28, 28),
                           Region::CreateRect(0, 0, width_ - 1, 28));
    // The first real size centres the diagram; later ones only keep it in reach.
    if (!centredOnce_ && width_ > 0 && height_ > 0) {
        centredOnce_ = true;
        Centre();
    } else {
        ClampOffset();
    }
}

void SystemTree::DrawSelf(HDC dc) {
    const RECT background{0, 0, width_, height_ - 20};
    FillRect(dc, &background, GetSharedBrush(SharedBrush::Grey224));
    static constexpr COLORREF kEdge[] = {RGB(115, 115, 115), RGB(165, 165, 165), RGB(206, 206, 206)};
    for (int i = 0; i < 3; ++i) DrawAntialiasedLine(dc, width_ - 2 - i, 0, width_ - 2 - i, height_ - 20, kEdge[i]);

    const int saved = SaveDC(dc);
    const POINT origin = GetPaintOrigin(dc);
    SetPaintOrigin(dc, {origin.x + offset_.x, origin.y + offset_.y});
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    RECT shown{};
    GetClipBox(dc, &shown);  // in diagram coordinates now

    if (const TreeNodeView* computer = set_->Computer(); computer && ViewMayShowIn(*computer, shown))
        DrawComputerBox(dc, *computer);
    for (const TreeConnector& connector : connectors_)
        if (ConnectorMayShowIn(connector, shown)) DrawConnector(dc, connector);
    for (const TreeNodeView* view : views_) {
        if (!ViewMayShowIn(*view, shown)) continue;
        if (!selected_) DrawSeverityHalo(dc, *view);
        view->Draw(dc);
    }
    RestoreDC(dc, saved);
}
