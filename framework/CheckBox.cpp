#include "framework/CheckBox.h"

#include "framework/SharedLook.h"
#include "framework/ElementText.h"
#include "framework/RootElement.h"
#include "base/HandleOwners.h"

namespace {

constexpr int kCheckedFrame = 0;
constexpr int kUncheckedFrame = 2;

}  // namespace

CheckBox::CheckBox(Element* parent, int commandId, String label)
    : PushButton(parent, commandId, &CheckBoxStrip(), kCheckedFrame), label_(std::move(label)) {
    // Measured in the font the label is drawn in, so the whole label is part of the box.
    RootElement* root = GetRoot();
    WindowDC dc(root ? root->GetWindow() : nullptr);
    SetSize(GetImageWidth() + kLabelGap + TextExtent(dc.Get(), GetSharedFont(SharedFont::Text), label_).cx, GetImageHeight());
}

void CheckBox::SetChecked(bool checked) {
    checked_ = checked;
    Redraw();
}

int CheckBox::GetFrame() const { return (checked_ ? kCheckedFrame : kUncheckedFrame) + (pressed_ ? 1 : 0); }

void CheckBox::DrawSelf(HDC dc) {
    PushButton::DrawSelf(dc);
    HFONT font = GetSharedFont(SharedFont::Text);
    SIZE text = TextExtent(dc, font, label_);
    DrawLabel(dc, font, GetImageWidth() + kLabelGap, CentreOffset(height_, text.cy), label_);
}

void CheckBox::OnLeftButtonUp(POINT*, UINT) {
    SetCursor(GetSharedCursor(SharedCursor::Pointer));
    if (!tracking_) return;
    if (RootElement* root = GetRoot()) root->ReleaseCapture();
    bool clicked = pressed_;
    if (clicked) checked_ = !checked_;
    tracking_ = false;
    pressed_ = false;
    Redraw();
    if (clicked && parent_) parent_->Command(commandId_);
}
