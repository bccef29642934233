#pragma once
#include "framework/Element.h"
#include "graphics/ImageStrips.h"

// The basic clickable element: a frame of an image strip, pressed while the button holds
// the pointer, firing its command at the parent only when released over itself.
class PushButton : public Element {
public:
    PushButton(Element* parent, int commandId, const ImageStrip* strip, int baseFrame);

    void DrawSelf(HDC dc) override;
    void OnLeftButtonDown(POINT* p, UINT keys) override;
    void OnMouseMove(POINT* p, UINT keys) override;
    void OnLeftButtonUp(POINT* p, UINT keys) override;

    virtual int GetFrame() const;
    virtual int GetImageWidth() const;
    virtual int GetImageHeight() const;

    void SetBaseFrame(int frame) { baseFrame_ = frame; }
    bool IsPressed() const { return pressed_; }

protected:
    const ImageStrip* strip_;
    int commandId_;
    bool tracking_ = false;
    bool pressed_ = false;
    int baseFrame_;
};
