#pragma once
#include "framework/DragListener.h"
#include "framework/ElxWnd.h"

class DragWindow;
using DragWindowListener = DragListener<DragWindow>;

// A small child window that reports left-button drags to its listener.
class DragWindow : public ElxWnd {
public:
    DragWindow(HWND parent, void* owner);

    void SetListener(DragWindowListener* listener) { listener_ = listener; }

    LRESULT OnLeftButtonDown(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnLeftButtonUp(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam) override;

    virtual HCURSOR GetDragCursor();
    virtual void OnDragBegin(POINT* offset);
    virtual void OnDragMove(POINT* offset);
    virtual void OnDragEnd(POINT* offset);

protected:
    DragWindowListener* listener_ = nullptr;
    void* owner_;
    POINT start_{};
    bool dragging_ = false;

private:
    // The offset from the press, turned into the corner in the parent's client coordinates.
    bool ToCorner(POINT* offset) const;
    POINT OffsetFrom(LPARAM lParam) const;
};
