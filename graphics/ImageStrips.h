#pragma once
#include <windows.h>

#include <vector>

#include "base/HandleOwners.h"

// A row of equal-width frames (button states, badges, markers) drawn one at a time.
class ImageStrip {
public:
    virtual ~ImageStrip() = default;
    virtual void DrawFrame(int index, HDC dc, int x, int y) const = 0;
    virtual int GetFrameWidth() const = 0;
    virtual int GetHeight() const = 0;
};

// Frames cut from a skin image, each its own premultiplied bitmap, drawn with AlphaBlend.
// An index outside the strip draws nothing.
class SkinStrip : public ImageStrip {
public:
    // Replaces the frames with those of the "TGA" resource id. A frame width wider than the
    // image leaves the strip empty, of height 0.
    void Load(int frameWidth, UINT id);
    void SetFrames(int frameWidth, std::vector<Bitmap> frames);

    void DrawFrame(int index, HDC dc, int x, int y) const override;
    int GetFrameWidth() const override { return frameWidth_; }
    int GetHeight() const override { return height_; }

    int FrameCount() const { return static_cast<int>(frames_.size()); }
    // The frame's bitmap, still owned by the strip; null outside the strip.
    HBITMAP Frame(int index) const;

private:
    std::vector<Bitmap> frames_;
    int frameWidth_ = 0;
    int height_ = 0;
};

// Frames side by side in one opaque bitmap resource, copied with BitBlt. The bitmap stays
// selected in a memory DC of the strip's own: the transmission lights copy a frame per
// light on every tick, and selecting a bitmap anew for each costs more than the copy.
class BitmapStrip : public ImageStrip {
public:
    BitmapStrip() = default;
    ~BitmapStrip() override;
    BitmapStrip(const BitmapStrip&) = delete;
    BitmapStrip& operator=(const BitmapStrip&) = delete;

    void Load(int frameWidth, UINT id);
    void SetBitmap(int frameWidth, Bitmap bitmap);

    void DrawFrame(int index, HDC dc, int x, int y) const override;
    int GetFrameWidth() const override { return frameWidth_; }
    int GetHeight() const override { return height_; }

private:
    void Unselect();
    Bitmap bitmap_;
    HDC dc_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    int frameWidth_ = 0;
    int frameCount_ = 0;
    int height_ = 0;
};
