#include "framework/TextPushButton.h"

#include "framework/SharedLook.h"
#include "framework/ElementText.h"

TextPushButton::TextPushButton(Element* parent, int commandId, const ImageStrip* strip, int baseFrame,
                               String caption)
    : PushButton(parent, commandId, strip, baseFrame), caption_(std::move(caption)) {}

void TextPushButton::DrawSelf(HDC dc) {
    PushButton::DrawSelf(dc);
    HFONT font = GetSharedFont(SharedFont::Text);
    SIZE text = TextExtent(dc, font, caption_);
    DrawLabel(dc, font, CentreOffset(GetImageWidth(), text.cx), CentreOffset(height_, text.cy), caption_);
}
