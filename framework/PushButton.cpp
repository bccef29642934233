#include "framework/PushButton.h"

#include "framework/SharedLook.h"
#include "framework/RootElement.h"

PushButton::PushButton(Element* parent, int commandId, const ImageStrip* strip, int baseFrame)
    : Element(parent), strip_(strip), commandId_(commandId), baseFrame_(baseFrame) {
    SetSize(GetImageWidth(), GetImageHeight());
}

int PushButton::GetFrame() const { return pressed_ ? baseFrame_ + 1 : baseFrame_; }
int PushButton::GetImageWidth() const { return strip_ ? strip_->GetFrameWidth() : 0; }
int PushButton::GetImageHeight() const { return strip_ ? strip_->GetHeight() : 0; }

void PushButton::DrawSelf(HDC dc) {
    if (strip_) strip_->DrawFrame(GetFrame(), dc, 0, 0);
}

void PushButton::OnLeftButtonDown(POINT*, UINT keys) {
    SetCursor(GetSharedCursor(SharedCursor::Pointer));
    if (!(keys & MK_LBUTTON)) return;
    tracking_ = true;
    pressed_ = true;
    Redraw();
    if (RootElement* root = GetRoot()) root->SetCapture(this);
}

void PushButton::OnMouseMove(POINT* p, UINT) {
    SetCursor(GetSharedCursor(SharedCursor::Pointer));
    if (!tracking_) return;
    bool over = HitTest(p) == this;
    if (over != pressed_) {
        pressed_ = over;
        Redraw();
    }
}

void PushButton::OnLeftButtonUp(POINT*, UINT) {
    SetCursor(GetSharedCursor(SharedCursor::Pointer));
    if (!tracking_) return;
    if (RootElement* root = GetRoot()) root->ReleaseCapture();
    tracking_ = false;
    if (!pressed_) return;
    pressed_ = false;
    Redraw();
    if (parent_) parent_->Command(commandId_);
}
