#pragma once
#include "framework/ElxWnd.h"

class DragWindow;

// Told where a dragged window's top-left corner would lie, in the listener's coordinates.
class DragListener {
public:
    virtual ~DragListener() = default;
    virtual HWND GetWindow() = 0;
    virtual void DragBegin(DragWindow* source, POINT* p) = 0;
    virtual void DragMove(DragWindow* source, POINT* p) = 0;
    virtual void DragEnd(DragWindow* source, POINT* p) = 0;
};

// A small child window that reports left-button drags to its listener.
class DragWindow : public ElxWnd {
public:
    DragWindow(HWND parent, void* owner);

    void SetListener(DragListener* listener) { listener_ = listener; }

    LRESULT OnLeftButtonDown(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnLeftButtonUp(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam) override;

    virtual HCURSOR GetDragCursor();
    virtual void OnDragBegin(POINT* offset);
    virtual void OnDragMove(POINT* offset);
    virtual void OnDragEnd(POINT* offset);

protected:
    DragListener* listener_ = nullptr;
    void* owner_;
    POINT start_{};
    bool dragging_ = false;

private:
    // The offset from the press, converted into the listener's client coordinates.
    bool ToListener(POINT* offset);
    POINT OffsetFrom(LPARAM lParam) const;
};
