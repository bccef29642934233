#include "framework/Splitter.h"

#include "framework/SplitGeometry.h"
#include "graphics/PixelEffects.h"

namespace {

void PlacePane(Element* pane, const Rect& r) {
    if (pane) pane->SetBounds(r.x, r.y, r.width, r.height);
}

}  // namespace

void SplitterBar::DrawSelf(HDC dc) {
    // Light along the top and left, dark along the bottom and right: a raised bar.
    const int right = width_ - 1, bottom = height_ - 1;
    const struct {
        int y;
        COLORREF colour;
    } rows[] = {{0, RGB(0xF0, 0xF0, 0xF0)}, {1, RGB(0xF0, 0xF0, 0xF0)}, {2, RGB(0xE0, 0xE0, 0xE0)},
                {3, RGB(0x9B, 0x9B, 0x9B)}, {4, RGB(0x73, 0x73, 0x73)}};
    for (const auto& row : rows) DrawAntialiasedLine(dc, 0, row.y, right, row.y, row.colour);
    const struct {
        int x, top;
        COLORREF colour;
    } columns[] = {{0, 3, RGB(0xF0, 0xF0, 0xF0)},         {1, 4, RGB(0xE0, 0xE0, 0xE0)},
                   {right, 1, RGB(0x73, 0x73, 0x73)},     {right - 1, 2, RGB(0xA5, 0xA5, 0xA5)},
                   {right - 2, 3, RGB(0xCE, 0xCE, 0xCE)}};
    for (const auto& column : columns) DrawAntialiasedLine(dc, column.x, column.top, column.x, bottom, column.colour);
}

void SplitterBar::OnDragMove(POINT* offset) {
    offset->x = 0;
    DragElement::OnDragMove(offset);
}

Splitter::Splitter(Element* parent) : ContainerElement(parent), bar_(this, kBarId) {
    bar_.SetListener(this);
    Layout();
}

void Splitter::SetPanes(Element* top, Element* bottom) {
    for (Element* old : {top_, bottom_})
        if (old && old != top && old != bottom) old->SetParent(nullptr);
    top_ = top;
    bottom_ = bottom;
    if (top_) top_->SetParent(this);
    if (bottom_) bottom_->SetParent(this);
    Layout();
}

void Splitter::SetLimits(int minTop, int minBottom) {
    minTop_ = minTop;
    minBottom_ = minBottom;
    Clamp();
}

void Splitter::SetSplitPosition(int position) {
    position_ = snap_ ? snap_->Reapply(snap_->State(), position) : position;
    Layout();
}

void Splitter::Clamp() {
    position_ = ClampSplit(position_, height_, minTop_, minBottom_);
    if (snap_) position_ = snap_->Snap(position_);
    Layout();
}

void Splitter::Layout() {
    SplitLayout layout = LayoutSplit(position_, width_, height_);
    PlacePane(top_, layout.top);
    PlacePane(bottom_, layout.bottom);
    PlacePane(&bar_, layout.bar);
}

void Splitter::UpdateShape() {
    Element::UpdateShape();
    // A snapped bar (collapsed, say) stays snapped when the splitter changes size.
    if (snap_) position_ = snap_->Reapply(snap_->State(), position_);
    Clamp();
}

void Splitter::FollowDrag(const POINT* corner) {
    position_ = corner->y;
    Clamp();
    Redraw();
}

void Splitter::DragBegin(DragElement*, POINT* corner) { FollowDrag(corner); }
void Splitter::DragMove(DragElement*, POINT* corner) { FollowDrag(corner); }
void Splitter::DragEnd(DragElement*, POINT* corner) { FollowDrag(corner); }
