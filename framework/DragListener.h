#pragma once
#include <windows.h>

// Told where a dragged source's top-left corner would lie, in its parent's coordinates: the
// listener of a drag element and that of a drag window alike.
template <class Source>
class DragListener {
public:
    virtual ~DragListener() = default;
    virtual void DragBegin(Source* source, POINT* corner) = 0;
    virtual void DragMove(Source* source, POINT* corner) = 0;
    virtual void DragEnd(Source* source, POINT* corner) = 0;
};
