#include "framework/FrameImages.h"

#include <array>

#include "base/HandleOwners.h"
#include "graphics/SkinImage.h"
#include "resources/ResourceIds.h"

namespace {
// In the order of FramePiece.
constexpr std::array<UINT, 12> kIds = {
    IDB_FRAME_TOP_LEFT,    IDB_FRAME_LEFT_UPPER,  IDB_FRAME_TOP_EDGE,     IDB_FRAME_TOP_RIGHT,
    IDB_FRAME_LEFT_EDGE,   IDB_FRAME_RIGHT_EDGE,  IDB_FRAME_BOTTOM_LEFT,  IDB_FRAME_BOTTOM_EDGE,
    IDB_FRAME_BOTTOM_RIGHT, IDB_FRAME_RIGHT_LOWER, IDB_TITLE_BADGE_ACTIVE, IDB_TITLE_BADGE_INACTIVE};

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
