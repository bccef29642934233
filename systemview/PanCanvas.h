#pragma once
#include <windows.h>

#include <vector>

#include "framework/Element.h"

class TreeNodeView;

// A drawn area holding a list of views that the user pans by dragging the background: a
// press that moves more than 3 pixels drags, anything less is a click on the view under
// the pointer. The scroll offset turns element points into diagram points.
class PanCanvas : public Element {
public:
    explicit PanCanvas(Element* parent);

    void OnLeftButtonDown(POINT* p, UINT keys) override;
    void OnMouseMove(POINT* p, UINT keys) override;
    void OnLeftButtonUp(POINT* p, UINT keys) override;
    String GetTooltip(POINT* p) override;

    const std::vector<TreeNodeView*>& Views() const { return views_; }
    POINT Offset() const { return offset_; }
    // The last view of the list that claims the element point, or none.
    TreeNodeView* ViewAt(POINT p) const;

protected:
    // Keeps the offset within what the content allows; called after it changed.
    virtual void ClampOffset() {}
    virtual void ClickView(TreeNodeView& view, int x, int y) = 0;
    void ShowCursor(POINT p) const;

    std::vector<TreeNodeView*> views_;  // owned elsewhere; drawn first to last, hit last to first
    POINT offset_{0, 0};
    bool pressed_ = false;
    bool dragging_ = false;
    POINT last_{0, 0};
};
