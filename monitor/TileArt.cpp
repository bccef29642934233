#include "monitor/TileArt.h"

#include "graphics/ImageStrips.h"
#include "monitor/TileGeometry.h"
#include "resources/ResourceIds.h"

namespace {

struct TileImages {
    SkinStrip firstLast, middle, only;
    BitmapStrip light;
};

TileImages& Images() {
    static TileImages images;
    return images;
}

}  // namespace

void LoadTileImages() {
    TileImages& images = Images();
    images.firstLast.Load(tiles::kWidth, IDB_TILE_FIRST_LAST);
    images.middle.Load(tiles::kWidth, IDB_TILE_MIDDLE);
    images.only.Load(tiles::kWidth, IDB_TILE_ONLY);
    images.light.Load(13, IDB_TRANSMISSION_LIGHTS);
}

void DrawTileBackground(HDC dc, int kind, int frame) {
    const TileImages& images = Images();
    const SkinStrip& strip = kind == tiles::kOnly     ? images.only
                             : kind == tiles::kMiddle ? images.middle
                                                      : images.firstLast;
    strip.DrawFrame(frame, dc, 0, 0);
}

void DrawLightFrame(HDC dc, int frame, int x, int y) { Images().light.DrawFrame(frame, dc, x, y); }
