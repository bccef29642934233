#include "graphics/ImageStrips.h"

#include <utility>

#include "graphics/Dib.h"
#include "graphics/ImageHelpers.h"
#include "graphics/MemoryDC.h"
#include "graphics/Resources.h"
#include "graphics/SkinImage.h"

void SkinStrip::Load(int frameWidth, UINT id) {
    SetFrames(frameWidth, LoadSkinFrames(id, frameWidth, true));
}

void SkinStrip::SetFrames(int frameWidth, std::vector<Bitmap> frames) {
    frames_ = std::move(frames);
    frameWidth_ = frameWidth;
    height_ = frames_.empty() ? 0 : GetBitmapSize(frames_.front().Get()).cy;
}

HBITMAP SkinStrip::Frame(int index) const {
    if (index < 0 || index >= FrameCount()) return nullptr;
    return frames_[index].Get();
}

void SkinStrip::DrawFrame(int index, HDC dc, int x, int y) const {
    BlendImagePart(dc, Frame(index), x, y, frameWidth_, height_);
}

void BitmapStrip::Load(int frameWidth, UINT id) { SetBitmap(frameWidth, LoadBitmapResource(id)); }

BitmapStrip::~BitmapStrip() {
    Unselect();
    if (dc_) DeleteDC(dc_);
}

void BitmapStrip::Unselect() {
    if (previous_) SelectObject(dc_, previous_);
    previous_ = nullptr;
}

void BitmapStrip::SetBitmap(int frameWidth, Bitmap bitmap) {
    Unselect();  // a bitmap still selected cannot be deleted
    bitmap_ = std::move(bitmap);
    frameWidth_ = frameWidth;
    height_ = GetBitmapSize(bitmap_.Get()).cy;
    if (!bitmap_) return;
    if (!dc_) dc_ = CreateCompatibleDC(nullptr);
    if (dc_) previous_ = SelectObject(dc_, bitmap_.Get());
}

void BitmapStrip::DrawFrame(int index, HDC dc, int x, int y) const {
    const SIZE size = GetBitmapSize(bitmap_.Get());
    if (!previous_ || index < 0 || frameWidth_ <= 0 || (index + 1) * frameWidth_ > size.cx) return;
    BitBlt(dc, x, y, frameWidth_, height_, dc_, frameWidth_ * index, 0, SRCCOPY);
}
