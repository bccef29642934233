#pragma once
#include "framework/PushButton.h"

// A push button that fires as soon as it is pressed and again on every tick of a 300 ms
// timer while it is held with the pointer over it; the release itself fires nothing.
class RepeatPushButton : public PushButton {
public:
    static constexpr UINT kRepeatMilliseconds = 300;

    using PushButton::PushButton;

    void OnLeftButtonDown(POINT* p, UINT keys) override;
    void OnLeftButtonUp(POINT* p, UINT keys) override;
    void OnTimer(UINT id) override;

    // The id of the running repeat timer, 0 while none runs.
    UINT RepeatTimer() const { return timer_; }

private:
    void StopRepeating();
    UINT timer_ = 0;
};
