#pragma once
#include <windows.h>

#include "framework/SharedLook.h"

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

// What a drag element and a drag window share (Base is Element or ElxWnd, Self the source):
// the listener, the press, whether a drag runs, and the notices, each with the corner that
// the source's own coordinates give.
template <class Base, class Self>
class DragSource : public Base {
public:
    using Base::Base;

    void SetListener(DragListener<Self>* listener) { listener_ = listener; }

    virtual HCURSOR GetDragCursor() { return GetSharedCursor(SharedCursor::DragWindow); }
    // offset: how far the pointer has moved since the press.
    virtual void OnDragBegin(POINT* offset) {
        if (ToCorner(offset)) listener_->DragBegin(static_cast<Self*>(this), offset);
    }
    virtual void OnDragMove(POINT* offset) {
        if (ToCorner(offset)) listener_->DragMove(static_cast<Self*>(this), offset);
    }
    virtual void OnDragEnd(POINT* offset) {
        if (ToCorner(offset)) listener_->DragEnd(static_cast<Self*>(this), offset);
    }

protected:
    // Turns the offset into the corner the listener is told of; false without a listener.
    virtual bool ToCorner(POINT* offset) const = 0;

    DragListener<Self>* listener_ = nullptr;
    POINT start_{};
    bool dragging_ = false;
};
