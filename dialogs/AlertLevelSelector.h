#pragma once
#include "base/HandleOwners.h"
#include "framework/PushButton.h"

// When the program opens itself on errors: a three-position slider, 0 never, 1 serious errors
// only, 2 all errors and performance issues, under its heading and the positions' names.

class LevelSlider;

// The knob of the slider: dragged, it sets the value nearest the pointer while the pointer
// stays on the slider and shows itself released when it leaves.
class SliderKnob : public PushButton {
public:
    explicit SliderKnob(LevelSlider* slider);
    void OnMouseMove(POINT* p, UINT keys) override;

private:
    LevelSlider* slider_;
};

// The track with its knob. It tells its parent of every change of value with its command.
class LevelSlider : public ContainerElement {
public:
    static constexpr int kLevels = 3;

    LevelSlider(Element* parent, int commandId);

    int GetValue() const { return value_; }
    // v from 0 to 2; an equal value redraws but tells nobody.
    void SetValue(int v);
    // Where the knob's left edge stands at a value.
    static int KnobX(int value);

    void Paint(HDC dc) override;
    // A press on the track moves the knob one place towards the pointer.
    void OnLeftButtonDown(POINT* p, UINT keys) override;

private:
    int value_ = 0;
    int commandId_;
    SliderKnob knob_;
    Bitmap track_;
};

// The heading, the names under the positions and the slider. The slider's notification stops
// here: the dialog reads the value when it saves.
class AlertLevelSelector : public ContainerElement {
public:
    AlertLevelSelector(Element* parent, int commandId);

    int GetValue() const { return slider_.GetValue(); }
    void SetValue(int v) { slider_.SetValue(v); }

    void Paint(HDC dc) override;

private:
    LevelSlider slider_;
};
