#pragma once
#include "framework/DragListener.h"
#include "framework/Element.h"

class DragElement;
using ElementDragListener = DragListener<DragElement>;

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
