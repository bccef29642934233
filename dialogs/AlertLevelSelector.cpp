#include "dialogs/AlertLevelSelector.h"

#include <algorithm>

#include "framework/ElementText.h"
#include "framework/RootElement.h"
#include "framework/SharedLook.h"
#include "graphics/ImageHelpers.h"
#include "graphics/ResourceStrings.h"
#include "graphics/Resources.h"
#include "resources/ResourceIds.h"

namespace {

constexpr int kKnobCommand = 1;
constexpr int kKnobY = 2;
constexpr int kKnobXs[LevelSlider::kLevels] = {0, 65, 130};
// The choices' names in a row under the track, down to the selector's bottom.
constexpr int kNamesTop = 40, kHeight = 75;
// Where a dragged knob changes from one value to the next, in slider coordinates.
constexpr int kFirstBoundary = 32, kSecondBoundary = 98;

}  // namespace

SliderKnob::SliderKnob(LevelSlider* slider)
    : PushButton(slider, kKnobCommand, &ChoiceButtonStrip(), 0), slider_(slider) {}

void SliderKnob::OnMouseMove(POINT* p, UINT) {
    SetCursor(GetSharedCursor(SharedCursor::Pointer));
    if (!tracking_) return;
    POINT onSlider{x_ + p->x, y_ + p->y};
    const Element* hit = slider_->HitTest(&onSlider);
    const bool wasPressed = pressed_;
    pressed_ = hit == this || hit == slider_;
    if (pressed_) slider_->SetValue(onSlider.x < kFirstBoundary ? 0 : onSlider.x < kSecondBoundary ? 1 : 2);
    if (pressed_ != wasPressed) Redraw();
}

LevelSlider::LevelSlider(Element* parent, int commandId)
    : ContainerElement(parent), commandId_(commandId), knob_(this), track_(LoadBitmapResource(IDB_SLIDER_TRACK)) {
    SetSize(139, 16);
    knob_.SetPosition(KnobX(value_), kKnobY);
}

int LevelSlider::KnobX(int value) { return kKnobXs[std::clamp(value, 0, kLevels - 1)]; }

void LevelSlider::SetValue(int v) {
    const int old = value_;
    value_ = std::clamp(v, 0, kLevels - 1);
    knob_.SetPosition(KnobX(value_), kKnobY);
    Redraw();
    if (value_ != old && parent_) parent_->Command(commandId_);
}

void LevelSlider::Paint(HDC dc) {
    BlitImage(dc, track_.Get(), 0, 0);
    PaintChildren(dc);
}

void LevelSlider::OnLeftButtonDown(POINT* p, UINT) {
    const int knobX = KnobX(value_);
    if (p->x < knobX) {
        if (value_ >= 1) SetValue(value_ - 1);
    } else if (p->x > knobX + knob_.Width() && value_ < kLevels - 1) {
        SetValue(value_ + 1);
    }
}

AlertLevelSelector::AlertLevelSelector(Element* parent, int commandId)
    : ContainerElement(parent), slider_(this, commandId) {
    slider_.SetPosition(30, 20);
    SetSize(240, kHeight);
}

void AlertLevelSelector::Paint(HDC dc) {
    const UINT oldAlign = SetTextAlign(dc, TA_LEFT | TA_TOP);
    // The heading starts left of the selector's own area.
    SelectClipRgn(dc, nullptr);
    DrawLabel(dc, GetSharedFont(SharedFont::Text), -19, 0, LoadResourceString(IDS_ALERT_HEADING));

    HFONT small = GetSharedFont(SharedFont::Small);
    SetTextAlign(dc, TA_CENTER | TA_TOP);
    DrawLabel(dc, small, 30, kNamesTop, LoadResourceString(IDS_ALERT_NEVER));
    SetTextAlign(dc, TA_LEFT | TA_TOP);
    DrawWrapped(dc, small, RECT{75, kNamesTop, 125, kHeight}, LoadResourceString(IDS_ALERT_SERIOUS), DT_CENTER);
    DrawWrapped(dc, small, RECT{130, kNamesTop, 210, kHeight}, LoadResourceString(IDS_ALERT_ALL), DT_CENTER);
    SetTextAlign(dc, oldAlign);
    PaintChildren(dc);
}
