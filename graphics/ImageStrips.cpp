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

void BitmapStrip::SetBitmap(int frameWidth, Bitmap bitmap) {
    bitmap_ = std::move(bitmap);
    frameWidth_ = frameWidth;
    height_ = GetBitmapSize(bitmap_.Get()).cy;
}

void BitmapStrip::DrawFrame(int index, HDC dc, int x, int y) const {
    const SIZE size = GetBitmapSize(bitmap_.Get());
    if (index < 0 || frameWidth_ <= 0 || (index + 1) * frameWidth_ > size.cx) return;
    MemoryDC source(bitmap_.Get());
    BitBlt(dc, x, y, frameWidth_, height_, source.GetDC(), frameWidth_ * index, 0, SRCCOPY);
}
