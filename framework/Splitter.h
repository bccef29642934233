#pragma once
#include "framework/DragElement.h"

// What the view behind a splitter makes of a split position: where a dragged bar snaps
// to, which snapped state it is in, and where that state puts the bar for a position.
class SnapPolicy {
public:
    virtual ~SnapPolicy() = default;
    virtual int Snap(int position) = 0;
    virtual int State() = 0;
    virtual int Reapply(int state, int position) = 0;
};

// The raised 5-pixel bar between a splitter's panes; it drags only up and down.
class SplitterBar : public DragElement {
public:
    using DragElement::DragElement;

    void DrawSelf(HDC dc) override;
    void OnDragMove(POINT* offset) override;
};

// Divides its area between a top and a bottom pane at the split position, the top of the
// bar, which the user drags within the panes' minimum heights.
class Splitter : public ContainerElement, public ElementDragListener {
public:
    static constexpr int kBarId = 1;

    explicit Splitter(Element* parent);

    // The panes become the splitter's children; panes given before are let go.
    void SetPanes(Element* top, Element* bottom);
    void SetLimits(int minTop, int minBottom);
    // Taken as given (through the snap policy, if there is one), without the limits.
    void SetSplitPosition(int position);
    int GetSplitPosition() const { return position_; }
    void SetFilter(SnapPolicy* policy) { snap_ = policy; }


    virtual void Layout();
    void UpdateShape() override;

    void DragBegin(DragElement* source, POINT* corner) override;
    void DragMove(DragElement* source, POINT* corner) override;
    void DragEnd(DragElement* source, POINT* corner) override;

private:
    // Keeps the position within the limits, snaps it and lays out.
    void Clamp();
    void FollowDrag(const POINT* corner);

    SplitterBar bar_;
    int position_ = 50;
    SnapPolicy* snap_ = nullptr;
    int minTop_ = 20;
    int minBottom_ = 20;
    Element* top_ = nullptr;
    Element* bottom_ = nullptr;
};
