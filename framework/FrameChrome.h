#pragma once
#include "framework/Element.h"
#include "framework/PushButton.h"

// The skinned frame of a resizable window: edges, corners and title badge drawn from the
// frame images, the maximize/restore and close buttons, the area that moves the window
// and the grip in the bottom-right corner that resizes it.
class FrameChrome : public ContainerElement {
public:
    static constexpr int kMaximizeCommand = 1;
    static constexpr int kCloseCommand = 2;
    static constexpr int kGripSize = 39;

    explicit FrameChrome(Element* parent);

    void DrawSelf(HDC dc) override;
    void UpdateShape() override;
    void Command(int id) override;
    void OnLeftButtonDown(POINT* p, UINT keys) override;
    void OnLeftButtonUp(POINT* p, UINT keys) override;
    void OnMouseMove(POINT* p, UINT keys) override;
    String GetTooltip(POINT* p) override;

    void SetMaximized();
    void SetRestored();
    void SetActive(bool active) { active_ = active; }
    bool IsActive() const { return active_; }
    bool InResizeGrip(POINT p) const { return p.x >= width_ - kGripSize && p.y >= height_ - kGripSize; }

    PushButton& MaximizeButton() { return maximize_; }
    PushButton& CloseButton() { return close_; }

protected:
    // At the top right; every frame's caption buttons sit alike.
    void PlaceCaptionButtons();

private:
    PushButton maximize_;
    PushButton close_;
    bool active_ = true;
    bool maximized_ = false;
};
