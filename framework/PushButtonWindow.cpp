#include "framework/PushButtonWindow.h"

#include <windowsx.h>

#include "framework/ElementText.h"
#include "framework/SharedLook.h"

PushButtonWindow::PushButtonWindow(HWND parent, const ImageStrip* skin, int commandId, int baseFrame)
    : ElxWnd(parent, WS_CHILD, 0, true), skin_(skin), commandId_(commandId), baseFrame_(baseFrame) {
    PushButtonWindow::OnScaleChanged();
}

void PushButtonWindow::OnScaleChanged() {
    SetWindowPos(hwnd_, nullptr, 0, 0, Px(skin_->GetFrameWidth()), Px(skin_->GetHeight()), SWP_NOMOVE | SWP_NOZORDER);
}

void PushButtonWindow::Draw(HDC dc) { skin_->DrawFrame(CurrentFrame(), dc, 0, 0); }

void PushButtonWindow::Repaint() {
    HWND parent = GetParent(hwnd_);
    RECT area{};
    GetWindowRect(hwnd_, &area);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
    RedrawWindow(parent, &area, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void PushButtonWindow::SendCommand() {
    SendMessageA(GetParent(hwnd_), WM_COMMAND, static_cast<WPARAM>(commandId_), reinterpret_cast<LPARAM>(hwnd_));
}

void PushButtonWindow::Press() {
    pressed_ = hot_ = true;
    Repaint();
    SetCapture(hwnd_);
}

void PushButtonWindow::Release() {
    ReleaseCapture();
    pressed_ = hot_ = false;
    Repaint();
}

LRESULT PushButtonWindow::OnLeftButtonDown(WPARAM, LPARAM) {
    Press();
    SetCursor(GetSharedCursor(SharedCursor::Pointer));
    return 0;
}

LRESULT PushButtonWindow::OnMouseMove(WPARAM, LPARAM lParam) {
    SetCursor(GetSharedCursor(SharedCursor::Pointer));
    if (!pressed_) return 0;
    const SIZE size = GetSize();
    const RECT inside{0, 0, size.cx, size.cy};
    const bool over = PtInRect(&inside, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) != FALSE;
    if (over != hot_) {
        hot_ = over;
        Repaint();
    }
    return 0;
}

LRESULT PushButtonWindow::OnLeftButtonUp(WPARAM, LPARAM) {
    SetCursor(GetSharedCursor(SharedCursor::Pointer));
    const bool fire = hot_;
    Release();
    // The command may end the dialog and delete this button: nothing may follow it.
    if (fire) SendCommand();
    return 0;
}

TextPushButtonWindow::TextPushButtonWindow(HWND parent, const ImageStrip* skin, int commandId, String caption)
    : PushButtonWindow(parent, skin, commandId, 0), caption_(std::move(caption)) {}

void TextPushButtonWindow::Draw(HDC dc) {
    PushButtonWindow::Draw(dc);
    HFONT font = GetSharedFont(SharedFont::Text);
    const SIZE text = TextExtent(dc, font, caption_);
    // Halved toward zero: a caption wider than the image spills evenly, unlike the element
    // buttons' CentreOffset, which rounds down.
    DrawLabel(dc, font, (skin_->GetFrameWidth() - text.cx) / 2, (skin_->GetHeight() - text.cy) / 2, caption_);
}

LRESULT RepeatPushButtonWindow::OnLeftButtonDown(WPARAM, LPARAM) {
    Press();
    SendCommand();
    SetTimer(hwnd_, kRepeatTimer, kRepeatMilliseconds, nullptr);
    return 0;
}

LRESULT RepeatPushButtonWindow::OnLeftButtonUp(WPARAM, LPARAM) {
    KillTimer(hwnd_, kRepeatTimer);
    Release();
    return 0;
}

LRESULT RepeatPushButtonWindow::OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_TIMER || wParam != kRepeatTimer) return PushButtonWindow::OnOtherMessage(message, wParam, lParam);
    if (hot_) SendCommand();
    return 0;
}
