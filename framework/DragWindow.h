#pragma once
#include "framework/DragSource.h"
#include "framework/ElxWnd.h"

class DragWindow;
using DragWindowListener = DragListener<DragWindow>;

// A small child window that reports left-button drags to its listener.
class DragWindow : public DragSource<ElxWnd, DragWindow> {
public:
    explicit DragWindow(HWND parent);

    LRESULT OnLeftButtonDown(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnLeftButtonUp(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam) override;

private:
    // The window's own coordinates mapped into its parent's.
    bool ToCorner(POINT* offset) const override;
    POINT OffsetFrom(LPARAM lParam) const;
};
