#include "framework/Element.h"

#include <algorithm>

#include "framework/RootElement.h"
#include "graphics/ScaledDC.h"

Element::Element(Element* parent) : parent_(parent) {
    if (parent_) parent_->AddChild(this);
}

Element::~Element() {
    // The root must not keep routing input or timers to an element that is gone.
    if (parent_) {
        if (RootElement* root = parent_->GetRoot()) root->Forget(this);
        parent_->RemoveChild(this);
    }
    for (Element* child : children_) child->parent_ = nullptr;
}

RootElement* Element::GetRoot() { return parent_ ? parent_->GetRoot() : nullptr; }
void Element::Paint(HDC dc) { DrawSelf(dc); }
void Element::DrawSelf(HDC) {}

void Element::RedrawChild(Element* child) {
    if (parent_) parent_->RedrawChild(child);
}

void Element::Redraw() {
    if (parent_) parent_->RedrawChild(this);
}

void Element::Command(int) {}
void Element::UpdateShape() { shape_ = Region::CreateRect(0, 0, width_, height_); }
void Element::OnTimer(UINT) {}
void Element::OnLeftButtonDown(POINT*, UINT) {}
void Element::OnLeftButtonUp(POINT*, UINT) {}
void Element::OnMouseMove(POINT*, UINT) {}
String Element::GetTooltip(POINT*) { return tooltip_; }

Element* Element::HitTest(POINT* p) { return shape_.Contains(p->x, p->y) ? this : nullptr; }
void Element::PaintChildren(HDC) {}

void Element::SetParent(Element* parent) {
    if (parent == parent_) return;
    if (parent_) parent_->RemoveChild(this);
    parent_ = parent;
    if (parent_) parent_->AddChild(this);
}

void Element::AddChild(Element* child) { children_.push_back(child); }

void Element::RemoveChild(Element* child) {
    auto found = std::find(children_.begin(), children_.end(), child);
    if (found != children_.end()) children_.erase(found);
}

void Element::SetBounds(int x, int y, int width, int height) {
    x_ = x;
    y_ = y;
    SetSize(width, height);
}

void Element::SetSize(int width, int height) {
    width_ = width;
    height_ = height;
    UpdateShape();
}

void Element::SetPosition(int x, int y) {
    x_ = x;
    y_ = y;
}

void Element::SetShape(const Region& shape) { shape_ = shape; }
Region Element::GetShape() const { return shape_; }

void ContainerElement::Paint(HDC dc) {
    DrawSelf(dc);
    PaintChildren(dc);
}

Element* ContainerElement::HitTest(POINT* p) {
    if (!shape_.Contains(p->x, p->y)) return nullptr;
    for (auto child = children_.rbegin(); child != children_.rend(); ++child) {
        Element* c = *child;
        if (!c->IsVisible()) continue;
        // Both far edges are offered; the child's own shape then decides.
        if (p->x < c->X() || p->x > c->X() + c->Width() || p->y < c->Y() || p->y > c->Y() + c->Height()) continue;
        POINT local{p->x - c->X(), p->y - c->Y()};
        if (Element* hit = c->HitTest(&local)) return hit;
    }
    return this;
}

void ContainerElement::PaintChildren(HDC dc) {
    const POINT origin = GetPaintOrigin(dc);
    const Scale scale = DcScale(dc);
    for (Element* child : children_) {
        if (!child->IsVisible()) continue;
        SetPaintOrigin(dc, {origin.x - child->X(), origin.y - child->Y()});
        // The child's clip replaces the parent's rather than narrowing it. Clips are in
        // device pixels: a scaled DC gets the shape scaled where it lies.
        if (scale.IsIdentity()) {
            SelectClipRgn(dc, child->Shape().GetHandle());
            OffsetClipRgn(dc, child->X() - origin.x, child->Y() - origin.y);
        } else {
            SelectClipRgn(dc, ScaleRegion(Region::Offset(child->Shape(), child->X() - origin.x, child->Y() - origin.y), scale)
                                  .GetHandle());
        }
        // A child wholly outside what is being painted costs nothing.
        RECT shown;
        if (GetClipBox(dc, &shown) != NULLREGION) child->Paint(dc);
        SelectClipRgn(dc, nullptr);
    }
    SetPaintOrigin(dc, origin);
}
