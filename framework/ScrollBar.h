#pragma once
#include "framework/DragElement.h"
#include "framework/RepeatPushButton.h"
#include "framework/ScrollGeometry.h"
#include "framework/ScrollThumb.h"

// The sunken groove of a vertical scroll bar w wide between top and bottom, drawn only on
// bars of at least ScrollBar::kMinTrackedHeight; the window bar of the dialogs shares it.
void DrawScrollGroove(HDC dc, int width, int height, int top, int bottom);

// A vertical scroll bar: repeating arrows at both ends and a thumb on a sunken track. The
// position runs from 0 to the maximum; every change is reported to the parent as the bar's
// command.
class ScrollBar : public ContainerElement, public ElementDragListener {
public:
    static constexpr int kUpArrow = 1;
    static constexpr int kDownArrow = 2;
    static constexpr int kThumb = 3;
    // A shorter bar is all arrows: no track is drawn.
    static constexpr int kMinTrackedHeight = 110;

    ScrollBar(Element* parent, int commandId);

    // Keeps the position within the new maximum, without telling the parent.
    void SetMaximum(int maximum);
    void SetPosition(int position);
    int GetPosition() const { return position_; }

    const RepeatPushButton& DownArrow() const { return down_; }
    const ScrollThumb& Thumb() const { return thumb_; }

    void UpdateShape() override;
    void DrawSelf(HDC dc) override;
    void Command(int id) override;
    void OnLeftButtonDown(POINT* p, UINT keys) override;
    void OnMouseMove(POINT* p, UINT keys) override;

    void DragBegin(DragElement* source, POINT* corner) override;
    void DragMove(DragElement* source, POINT* corner) override;
    void DragEnd(DragElement* source, POINT* corner) override;

private:
    ScrollMetrics Metrics() const;
    void PlaceThumb();
    // Moves to the position that the point y of the track stands for.
    void MoveTo(int y);

    RepeatPushButton up_;
    RepeatPushButton down_;
    ScrollThumb thumb_;
    int position_ = 0;
    int maximum_ = 100;
    int commandId_;
};
