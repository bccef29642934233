#include "framework/ScrollThumb.h"

#include "framework/SharedLook.h"

ScrollThumb::ScrollThumb(Element* parent, int id, const ImageStrip* strip) : DragElement(parent, id), strip_(strip) {
    if (strip_) SetSize(strip_->GetFrameWidth(), strip_->GetHeight());
}

void ScrollThumb::DrawSelf(HDC dc) {
    if (strip_) strip_->DrawFrame(held_ ? 1 : 0, dc, 0, 0);
}

HCURSOR ScrollThumb::GetDragCursor() { return GetSharedCursor(held_ ? SharedCursor::Grab : SharedCursor::Arrow); }

void ScrollThumb::OnLeftButtonDown(POINT* p, UINT keys) {
    // Held before the drag starts, so the grab cursor and frame 1 show from the first moment.
    if (keys & MK_LBUTTON) held_ = true;
    DragElement::OnLeftButtonDown(p, keys);
}

void ScrollThumb::OnLeftButtonUp(POINT* p, UINT keys) {
    // Let go before the drag ends, so the redraw at the end shows the thumb at rest.
    held_ = false;
    DragElement::OnLeftButtonUp(p, keys);
}
