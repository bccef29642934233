#pragma once
#include <optional>

#include "framework/DragWindow.h"
#include "framework/PushButtonWindow.h"
#include "framework/ScrollGeometry.h"

// The thumb of the window scroll bar: frame 0 of the thumb strip, frame 1 while dragged.
class ScrollThumbWindow : public DragWindow {
public:
    explicit ScrollThumbWindow(HWND parent);
    void Draw(HDC dc) override;
    void OnScaleChanged() override;
};

// A vertical scroll bar made of windows, for the dialogs' lists: repeating arrows at both
// ends and a draggable thumb over the same sunken groove as the element bar. The position
// runs from 0 to the maximum; every change is told to the parent window as the bar's
// command (WM_COMMAND, the id, the bar's window).
class ScrollBarWindow : public ElxWnd, public DragWindowListener {
public:
    static constexpr int kUpArrow = 1;
    static constexpr int kDownArrow = 2;

    ScrollBarWindow(HWND parent, int commandId);

    // Keeps the position within the new maximum, without telling the parent.
    void SetMaximum(int maximum);
    void SetPosition(int position);
    int GetPosition() const { return position_; }

    const RepeatPushButtonWindow& DownArrow() const { return down_; }
    const ScrollThumbWindow& Thumb() const { return thumb_; }

    void Draw(HDC dc) override;
    void OnCommand(WPARAM wParam) override;
    LRESULT OnLeftButtonDown(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnSize(WPARAM wParam, LPARAM lParam) override;

    void DragBegin(DragWindow* source, POINT* corner) override;
    void DragMove(DragWindow* source, POINT* corner) override;
    void DragEnd(DragWindow* source, POINT* corner) override;

private:
    ScrollMetrics Metrics() const;
    // Where the thumb's top goes for the current position; nothing while it is hidden.
    std::optional<int> ThumbPlace() const;
    // Moves to the position that the point y of the track stands for.
    void MoveTo(int y);

    RepeatPushButtonWindow up_;
    RepeatPushButtonWindow down_;
    ScrollThumbWindow thumb_;
    int position_ = 0;
    int maximum_ = 100;
    int commandId_;
};
