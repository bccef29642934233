#pragma once
#include "framework/DragSource.h"
#include "framework/Element.h"

class DragElement;
using ElementDragListener = DragListener<DragElement>;

// An element that can be pressed and dragged; it keeps the capture while dragged and
// reports the drag to its listener. It draws nothing itself.
class DragElement : public DragSource<Element, DragElement> {
public:
    DragElement(Element* parent, int id);

    int Id() const { return id_; }

    void OnLeftButtonDown(POINT* p, UINT keys) override;
    void OnMouseMove(POINT* p, UINT keys) override;
    void OnLeftButtonUp(POINT* p, UINT keys) override;

protected:
    int id_;

private:
    bool ToCorner(POINT* offset) const override;
};
