#pragma once
#include "framework/DragElement.h"
#include "graphics/ImageStrips.h"

// The draggable thumb of a scroll bar: frame 0 at rest, frame 1 while held.
class ScrollThumb : public DragElement {
public:
    ScrollThumb(Element* parent, int id, const ImageStrip* strip);

    void DrawSelf(HDC dc) override;
    void OnLeftButtonDown(POINT* p, UINT keys) override;
    void OnLeftButtonUp(POINT* p, UINT keys) override;
    HCURSOR GetDragCursor() override;

    bool IsHeld() const { return held_; }

private:
    const ImageStrip* strip_;
    bool held_ = false;
};
