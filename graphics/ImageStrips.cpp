#include "graphics/ImageStrips.h"

#include <utility>

#include "graphics/Dib.h"
#include "graphics/ImageHelpers.h"
#include "graphics/MemoryDC.h"
#include "graphics/Resources.h"
#include "graphics/ScaledArt.h"
#include "graphics/ScaledDC.h"
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

void BitmapStrip::Load(int frameWidth, UINT id) {
    Bitmap bitmap = LoadBitmapResource(id);
    const int width = GetBitmapSize(bitmap.Get()).cx;
    if (frameWidth > 0) RememberArt(bitmap.Get(), id, frameWidth, 0, width / frameWidth, ArtKind::Straight);
    SetBitmap(frameWidth, std::move(bitmap));
}

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
    const SIZE size = GetBitmapSize(bitmap_.Get());
    height_ = size.cy;
    frameCount_ = frameWidth > 0 ? size.cx / frameWidth : 0;
    if (!bitmap_) return;
    if (!dc_) dc_ = CreateCompatibleDC(nullptr);
    if (dc_) previous_ = SelectObject(dc_, bitmap_.Get());
}

void BitmapStrip::DrawFrame(int index, HDC dc, int x, int y) const {
    if (!previous_ || index < 0 || index >= frameCount_) return;
    const Scale scale = DcScale(dc);
    if (scale.IsIdentity()) {
        BitBlt(dc, x, y, frameWidth_, height_, dc_, frameWidth_ * index, 0, SRCCOPY);
        return;
    }
    // Scaled frames lie side by side at their own scaled width.
    MemoryDC source(ArtFor(bitmap_.Get(), scale));
    const DevicePixels device(dc);
    const POINT from = device.ToDevice(x, y), to = device.ToDevice(x + frameWidth_, y + height_);
    StretchBlt(dc, from.x, from.y, to.x - from.x, to.y - from.y, source.GetDC(), scale.Px(frameWidth_) * index, 0,
               scale.Px(frameWidth_), scale.Px(height_), SRCCOPY);
}
