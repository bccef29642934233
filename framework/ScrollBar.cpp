#include "framework/ScrollBar.h"

#include <algorithm>

#include "framework/SharedLook.h"
#include "base/HandleOwners.h"

namespace {

constexpr int kUpFrame = 0;
constexpr int kDownFrame = 2;

void VerticalLine(HDC dc, HPEN pen, int x, int top, int bottom) {
    SelectGuard guard(dc, pen);
    MoveToEx(dc, x, top, nullptr);
    LineTo(dc, x, bottom);
}

}  // namespace

ScrollBar::ScrollBar(Element* parent, int commandId)
    : ContainerElement(parent),
      up_(this, kUpArrow, &ScrollArrowStrip(), kUpFrame),
      down_(this, kDownArrow, &ScrollArrowStrip(), kDownFrame),
      thumb_(this, kThumb, &ScrollThumbStrip()),
      commandId_(commandId) {
    thumb_.SetListener(this);
    PlaceThumb();
}

ScrollMetrics ScrollBar::Metrics() const { return {height_, up_.Height(), down_.Height(), thumb_.Height()}; }

void ScrollBar::PlaceThumb() {
    std::optional<int> top = ThumbTop(Metrics(), position_, maximum_);
    thumb_.SetVisible(top.has_value());
    if (top) thumb_.SetPosition(0, *top);
}

void ScrollBar::SetMaximum(int maximum) {
    maximum_ = maximum;
    if (position_ > maximum_) position_ = maximum_;
    PlaceThumb();
}

void ScrollBar::SetPosition(int position) {
    int before = position_;
    position_ = position;
    PlaceThumb();
    if (position_ != before && parent_) parent_->Command(commandId_);
}

void ScrollBar::UpdateShape() {
    Element::UpdateShape();
    up_.SetPosition(0, 0);
    down_.SetPosition(0, std::max(height_ - down_.Height(), 0));
    PlaceThumb();
}

void DrawScrollGroove(HDC dc, int width, int height, int top, int bottom) {
    if (height < ScrollBar::kMinTrackedHeight) return;
    RECT track{0, top, width, bottom};
    FillRect(dc, &track, GetSharedBrush(SharedBrush::Grey165));
    // A sunken groove: dark on the left, light on the right, black at both edges.
    HPEN black = static_cast<HPEN>(GetStockObject(BLACK_PEN));
    VerticalLine(dc, black, 0, top, bottom);
    VerticalLine(dc, black, width - 1, top, bottom);
    VerticalLine(dc, GetSharedPen(SharedPen::Grey112), 1, top, bottom);
    VerticalLine(dc, GetSharedPen(SharedPen::Grey142), 2, top, bottom);
    VerticalLine(dc, GetSharedPen(SharedPen::Grey230), width - 2, top, bottom);
    VerticalLine(dc, GetSharedPen(SharedPen::Grey180), width - 3, top, bottom);
}

void ScrollBar::DrawSelf(HDC dc) { DrawScrollGroove(dc, width_, height_, up_.Height(), height_ - down_.Height()); }

void ScrollBar::Command(int id) {
    if (id == kUpArrow && position_ > 0) {
        SetPosition(position_ - 1);
        Redraw();
    } else if (id == kDownArrow && position_ < maximum_) {
        SetPosition(position_ + 1);
        Redraw();
    }
}

void ScrollBar::MoveTo(int y) {
    std::optional<int> position = PositionAt(Metrics(), y, maximum_);
    if (!position) return;
    SetPosition(*position);
    Redraw();
}

void ScrollBar::OnLeftButtonDown(POINT* p, UINT) { MoveTo(p->y); }
void ScrollBar::OnMouseMove(POINT*, UINT) { SetCursor(GetSharedCursor(SharedCursor::Pointer)); }

void ScrollBar::DragBegin(DragElement*, POINT* corner) { MoveTo(corner->y); }
void ScrollBar::DragMove(DragElement*, POINT* corner) { MoveTo(corner->y); }
void ScrollBar::DragEnd(DragElement*, POINT* corner) { MoveTo(corner->y); }
