#include "framework/RepeatPushButton.h"

#include "framework/SharedLook.h"
#include "framework/RootElement.h"

void RepeatPushButton::OnLeftButtonDown(POINT*, UINT keys) {
    SetCursor(GetSharedCursor(SharedCursor::Pointer));
    if (!(keys & MK_LBUTTON)) return;
    // A second press without a release (the capture went elsewhere) must not leave the
    // first timer running for ever.
    StopRepeating();
    tracking_ = true;
    pressed_ = true;
    Redraw();
    RootElement* root = GetRoot();
    if (root) root->SetCapture(this);
    if (parent_) parent_->Command(commandId_);
    if (root) timer_ = root->SetTimer(this, kRepeatMilliseconds);
}

void RepeatPushButton::OnTimer(UINT id) {
    if (id == timer_ && pressed_ && parent_) parent_->Command(commandId_);
}

void RepeatPushButton::OnLeftButtonUp(POINT*, UINT) {
    SetCursor(GetSharedCursor(SharedCursor::Pointer));
    if (!tracking_) return;
    StopRepeating();
    if (RootElement* root = GetRoot()) root->ReleaseCapture();
    tracking_ = false;
    pressed_ = false;
    Redraw();
}

void RepeatPushButton::StopRepeating() {
    if (!timer_) return;
    if (RootElement* root = GetRoot()) root->KillTimer(this, timer_);
    timer_ = 0;
}
