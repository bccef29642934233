#pragma once
#include "framework/PushButton.h"

// A push button with its caption centred on the strip frame.
class TextPushButton : public PushButton {
public:
    TextPushButton(Element* parent, int commandId, const ImageStrip* strip, int baseFrame, String caption);

    void SetCaption(String caption) { caption_ = std::move(caption); }

    void DrawSelf(HDC dc) override;

private:
    String caption_;
};
