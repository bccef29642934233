#pragma once
#include "framework/Element.h"

class DragElement;

// Told where a dragged element's top-left corner would lie, in its parent's coordinates.
// The element-tree counterpart of the drag window's listener.
class ElementDragListener {
public:
    virtual ~ElementDragListener() = default;
    virtual void DragBegin(DragElement* source, POINT* corner) = 0;
    virtual void DragMove(DragElement* source, POINT* corner) = 0;
    virtual void DragEnd(DragElement* source, POINT* corner) = 0;
};

// An element that can be pressed and dragged; it keeps the capture while dragged and
// reports the drag to its listener. It draws nothing itself.
class DragElement : public Element {
public:
    DragElement(Element* parent, int id);

    void SetListener(ElementDragListener* listener) { listener_ = listener; }
    int Id() const { return id_; }

    void OnLeftButtonDown(POINT* p, UINT keys) override;
    void OnMouseMove(POINT* p, UINT keys) override;
    void OnLeftButtonUp(POINT* p, UINT keys) override;

    virtual HCURSOR GetDragCursor();
    // offset: how far the pointer has moved since the press.
    virtual void OnDragBegin(POINT* offset);
    virtual void OnDragMove(POINT* offset);
    virtual void OnDragEnd(POINT* offset);

protected:
    ElementDragListener* listener_ = nullptr;
    int id_;
    POINT start_{};
    bool dragging_ = false;

private:
    // Turns the offset into the corner the listener is told of; false without a listener.
    bool ToCorner(POINT* offset) const;
};
