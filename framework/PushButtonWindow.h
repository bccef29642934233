#pragma once
#include "base/String.h"
#include "framework/ElxWnd.h"
#include "graphics/ImageStrips.h"

// A push button that is a child window of its own (the dialogs' buttons, the arrows of the
// window scroll bar): a frame of an image strip, the next frame while held with the pointer
// over it. Released over itself it tells its parent WM_COMMAND with its id and its window.
class PushButtonWindow : public ElxWnd {
public:
    // Sized to one frame of the skin, which it does not own; the caller places it.
    PushButtonWindow(HWND parent, const ImageStrip* skin, int commandId, int baseFrame);

    virtual int CurrentFrame() const { return hot_ ? baseFrame_ + 1 : baseFrame_; }
    bool IsPressed() const { return pressed_; }

    void Draw(HDC dc) override;
    LRESULT OnLeftButtonDown(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnLeftButtonUp(WPARAM wParam, LPARAM lParam) override;
    // One frame of the skin at the button's scale.
    void OnScaleChanged() override;

protected:
    void SendCommand();
    // Repaints the button over what its parent shows there, since its frames may be partly
    // transparent and the button erases nothing itself.
    void Repaint();
    // Press bookkeeping shared with the repeating kind.
    void Press();
    void Release();

    const ImageStrip* skin_;
    int commandId_;
    bool pressed_ = false;
    bool hot_ = false;  // the pointer is over the button while pressed
    int baseFrame_;
};

// A button with a caption centred on its image in the shared text font.
class TextPushButtonWindow : public PushButtonWindow {
public:
    TextPushButtonWindow(HWND parent, const ImageStrip* skin, int commandId, String caption);
    void Draw(HDC dc) override;

private:
    String caption_;
};

// A button that fires as soon as it is pressed and again every 300 ms while held over it;
// its release fires nothing.
class RepeatPushButtonWindow : public PushButtonWindow {
public:
    static constexpr UINT_PTR kRepeatTimer = 12345;
    static constexpr UINT kRepeatMilliseconds = 300;

    using PushButtonWindow::PushButtonWindow;

    LRESULT OnLeftButtonDown(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnLeftButtonUp(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};
