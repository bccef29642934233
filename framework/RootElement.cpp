#include "framework/RootElement.h"

#include <windowsx.h>

#include <algorithm>

#include "base/HandleOwners.h"
#include "framework/WindowObject.h"
#include "graphics/ScaledDC.h"

RootElement::RootElement(HWND window) : ContainerElement(nullptr), window_(window), surface_(window) {}

RootElement::~RootElement() {
    for (UINT index = 0; index < timers_.size(); ++index)
        if (timers_[index]) ::KillTimer(window_, kFirstTimerId + index);
}

void RootElement::RedrawChild(Element* child) {
    RECT area{child->X(), child->Y(), 0, 0};
    for (Element* up = child->GetParent(); up && up != this; up = up->GetParent()) {
        area.left += up->X();
        area.top += up->Y();
    }
    area.right = area.left + child->Width();
    area.bottom = area.top + child->Height();

    const WindowDC dc(window_);
    const Scale scale = WindowObject::ScaleOf(window_);
    ApplyScale(dc.Get(), scale);
    {
        // The DC keeps its own copy of the clip, which is in pixels.
        const GdiObject<HRGN> clip(
            CreateRectRgn(scale.Px(area.left), scale.Px(area.top), scale.Px(area.right), scale.Px(area.bottom)));
        SelectClipRgn(dc.Get(), clip.Get());
    }
    // Only the child's rectangle is painted and reaches the screen.
    PaintTo(dc.Get());
    SelectClipRgn(dc.Get(), nullptr);
}

HDC RootElement::GetDC() const {
    HDC dc = ::GetDC(window_);
    ApplyScale(dc, WindowObject::ScaleOf(window_));
    return dc;
}

void RootElement::PaintTo(HDC target) {
    Paint(surface_.Begin(target));
    surface_.End();
}

void RootElement::Redraw() {
    InvalidateRect(window_, nullptr, TRUE);
    UpdateWindow(window_);
}

void RootElement::Command(int id) { SendMessageA(window_, WM_COMMAND, static_cast<WPARAM>(id), 0); }

void RootElement::OnTimer(UINT id) {
    if (id < kFirstTimerId || id - kFirstTimerId >= timers_.size()) return;
    if (Element* element = timers_[id - kFirstTimerId]) element->OnTimer(id);
}

void RootElement::SetCapture(Element* element) {
    captured_ = element;
    ::SetCapture(window_);
}

void RootElement::ReleaseCapture() {
    captured_ = nullptr;
    ::ReleaseCapture();
}

UINT RootElement::SetTimer(Element* element, UINT milliseconds) {
    UINT id = kFirstTimerId + static_cast<UINT>(timers_.size());
    timers_.push_back(element);
    ::SetTimer(window_, id, milliseconds, nullptr);
    return id;
}

void RootElement::KillTimer(Element*, UINT id) {
    ::KillTimer(window_, id);
    if (id >= kFirstTimerId && id - kFirstTimerId < timers_.size()) timers_[id - kFirstTimerId] = nullptr;
}

void RootElement::Forget(Element* element) {
    if (captured_ == element) ReleaseCapture();
    for (UINT index = 0; index < timers_.size(); ++index)
        if (timers_[index] == element) KillTimer(element, kFirstTimerId + index);
}

POINT RootElement::ToLocal(Element* element, POINT p) const {
    for (Element* e = element; e && e != this; e = e->GetParent()) {
        p.x -= e->X();
        p.y -= e->Y();
    }
    return p;
}

Element* RootElement::RouteTarget(LPARAM lParam, POINT* local) {
    POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    Element* target = captured_ ? captured_ : HitTest(&p);
    if (!target || target == this) return nullptr;
    *local = ToLocal(target, p);
    return target;
}

bool RootElement::Route(void (Element::*handler)(POINT*, UINT), UINT keys, LPARAM lParam) {
    POINT local;
    Element* target = RouteTarget(lParam, &local);
    if (target) (target->*handler)(&local, keys);
    return target != nullptr;
}

bool RootElement::RouteMouseMove(UINT keys, LPARAM lParam) { return Route(&Element::OnMouseMove, keys, lParam); }
bool RootElement::RouteLeftButtonDown(UINT keys, LPARAM lParam) {
    return Route(&Element::OnLeftButtonDown, keys, lParam);
}
bool RootElement::RouteLeftButtonUp(UINT keys, LPARAM lParam) { return Route(&Element::OnLeftButtonUp, keys, lParam); }

String RootElement::GetTooltipAt(int x, int y) {
    POINT p{x, y};
    Element* target = HitTest(&p);
    if (!target) return String();
    POINT local = ToLocal(target, p);
    return target->GetTooltip(&local);
}
