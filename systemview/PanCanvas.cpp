#include "systemview/PanCanvas.h"

#include <cstdlib>

#include "framework/RootElement.h"
#include "framework/SharedLook.h"
#include "graphics/ResourceStrings.h"
#include "resources/ResourceIds.h"
#include "systemview/TreeNodeView.h"

namespace {
// A hand that shakes a little while clicking still clicks.
constexpr int kDragThreshold = 3;
}  // namespace

PanCanvas::PanCanvas(Element* parent) : Element(parent) {
    SetTooltip(LoadResourceString(IDS_TIP_MOVE_TREE));
}

TreeNodeView* PanCanvas::ViewAt(POINT p) const {
    const int x = p.x + offset_.x, y = p.y + offset_.y;
    for (auto view = views_.rbegin(); view != views_.rend(); ++view)
        if ((*view)->HitTest(x, y)) return *view;
    return nullptr;
}

void PanCanvas::ShowCursor(POINT p) const {
    SharedCursor cursor = ViewAt(p) ? SharedCursor::Pointer : pressed_ ? SharedCursor::Grab : SharedCursor::Arrow;
    SetCursor(GetSharedCursor(cursor));
}

void PanCanvas::OnLeftButtonDown(POINT* p, UINT) {
    if (RootElement* root = GetRoot()) root->SetCapture(this);
    last_ = *p;
    pressed_ = true;
    dragging_ = false;
    ShowCursor(*p);
}

void PanCanvas::OnMouseMove(POINT* p, UINT) {
    if (pressed_) {
        if (!dragging_ && (std::abs(p->x - last_.x) > kDragThreshold || std::abs(p->y - last_.y) > kDragThreshold))
            dragging_ = true;
        if (dragging_) {
            offset_.x += last_.x - p->x;
            offset_.y += last_.y - p->y;
            ClampOffset();
            last_ = *p;
            Redraw();
        }
    }
    ShowCursor(*p);
}

void PanCanvas::OnLeftButtonUp(POINT* p, UINT) {
    const bool click = pressed_ && !dragging_;
    pressed_ = dragging_ = false;
    RootElement* root = GetRoot();
    if (root && root->Captured() == this) root->ReleaseCapture();
    if (click) {
        if (TreeNodeView* view = ViewAt(*p)) {
            // The click may rebuild the views; nothing of the old one is touched after it.
            ClickView(*view, p->x + offset_.x, p->y + offset_.y);
            Redraw();
        }
    }
    ShowCursor(*p);
}

String PanCanvas::GetTooltip(POINT* p) {
    if (TreeNodeView* view = ViewAt(*p)) return view->GetTooltip(p->x + offset_.x, p->y + offset_.y);
    return tooltip_;
}
