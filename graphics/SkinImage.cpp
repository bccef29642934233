#include "graphics/SkinImage.h"

#include <utility>

#include "graphics/Dib.h"
#include "graphics/PixelOps.h"
#include "graphics/Resources.h"
#include "graphics/ScaledArt.h"
#include "graphics/Tga.h"

namespace {

const char kTgaType[] = "TGA";

// Columns [x, x + width) of the image as one skin image.
Bitmap MakeSkinImage(const TgaImage& image, int x, int width, bool premultiply) {
    void* bits = nullptr;
    WindowDC screen(nullptr);
    Bitmap bitmap(CreateDib(screen.Get(), width, image.height, 32, DibOrder::TopDown, &bits));
    if (!bitmap || !bits) return Bitmap();
    auto* pixels = static_cast<uint32_t*>(bits);
    CopyPixelColumns(image.pixels, size_t(image.width) * 4, x, width, image.height, pixels, width);
    if (premultiply) PremultiplyPixels(pixels, width, image.height, width);
    return bitmap;
}

ArtKind Kind(bool premultiply) { return premultiply ? ArtKind::Premultiplied : ArtKind::Straight; }

}  // namespace

Bitmap DecodeSkinImage(const uint8_t* data, size_t size, bool premultiply) {
    TgaImage image;
    if (!ParseTga(data, size, &image) || image.Empty()) return Bitmap();
    return MakeSkinImage(image, 0, image.width, premultiply);
}

std::vector<Bitmap> DecodeSkinFrames(const uint8_t* data, size_t size, int frameWidth,
                                     bool premultiply) {
    std::vector<Bitmap> frames;
    TgaImage image;
    if (!ParseTga(data, size, &image) || image.Empty()) return frames;
    const int count = FrameCount(image.width, frameWidth);
    for (int k = 0; k < count; ++k) {
        Bitmap frame = MakeSkinImage(image, k * frameWidth, frameWidth, premultiply);
        if (!frame) break;
        frames.push_back(std::move(frame));
    }
    return frames;
}

Bitmap LoadSkinImage(UINT id, bool premultiply) {
    const ResourceBytes bytes = FindResourceBytes(id, kTgaType);
    Bitmap bitmap = DecodeSkinImage(bytes.data, bytes.size, premultiply);
    RememberArt(bitmap.Get(), id, GetBitmapSize(bitmap.Get()).cx, 0, 1, Kind(premultiply));
    return bitmap;
}

std::vector<Bitmap> LoadSkinFrames(UINT id, int frameWidth, bool premultiply) {
    const ResourceBytes bytes = FindResourceBytes(id, kTgaType);
    std::vector<Bitmap> frames = DecodeSkinFrames(bytes.data, bytes.size, frameWidth, premultiply);
    for (size_t k = 0; k < frames.size(); ++k) RememberArt(frames[k].Get(), id, frameWidth, int(k), 1, Kind(premultiply));
    return frames;
}
