#include "framework/FrameImages.h"

#include <array>

#include "base/HandleOwners.h"
#include "graphics/SkinImage.h"

namespace {
constexpr std::array<UINT, 12> kIds = {147, 178, 154, 148, 156, 158, 149, 159, 150, 179, 181, 182};

std::array<Bitmap, 12>& Images() {
    static std::array<Bitmap, 12> images;
    return images;
}
}  // namespace

void LoadFrameImages() {
    for (size_t i = 0; i < kIds.size(); ++i) Images()[i] = LoadSkinImage(kIds[i], true);
}

void FreeFrameImages() {
    for (Bitmap& image : Images()) image.Reset();
}

HBITMAP FrameImage(FramePiece piece) { return Images()[static_cast<size_t>(piece)].Get(); }
