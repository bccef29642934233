#include "framework/DragElement.h"

#include "framework/RootElement.h"

DragElement::DragElement(Element* parent, int id) : DragSource(parent), id_(id) {}

void DragElement::OnLeftButtonDown(POINT* p, UINT keys) {
    SetCursor(GetDragCursor());
    if (!(keys & MK_LBUTTON)) return;
    dragging_ = true;
    if (RootElement* root = GetRoot()) root->SetCapture(this);
    start_ = *p;
    POINT offset{0, 0};
    OnDragBegin(&offset);
    Redraw();
}

void DragElement::OnMouseMove(POINT* p, UINT) {
    SetCursor(GetDragCursor());
    if (!dragging_) return;
    POINT offset{p->x - start_.x, p->y - start_.y};
    OnDragMove(&offset);
}

void DragElement::OnLeftButtonUp(POINT* p, UINT) {
    SetCursor(GetDragCursor());
    if (!dragging_) return;
    dragging_ = false;
    if (RootElement* root = GetRoot()) root->ReleaseCapture();
    Redraw();
    POINT offset{p->x - start_.x, p->y - start_.y};
    OnDragEnd(&offset);
}

bool DragElement::ToCorner(POINT* offset) const {
    if (!listener_) return false;
    offset->x += x_;
    offset->y += y_;
    return true;
}
