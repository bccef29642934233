#include "graphics/Resources.h"

#include "graphics/Dib.h"
#include "graphics/ResourceStrings.h"
#include "graphics/ScaledArt.h"

ResourceBytes FindResourceBytes(UINT id, const char* type) {
    HINSTANCE instance = ResourceInstance();
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(id), type);
    if (!found) return {};
    HGLOBAL loaded = LoadResource(instance, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return {};
    return {static_cast<const uint8_t*>(data), SizeofResource(instance, found)};
}

Bitmap LoadBitmapResource(UINT id) {
    Bitmap bitmap(static_cast<HBITMAP>(
        LoadImageA(ResourceInstance(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    RememberArt(bitmap.Get(), id, GetBitmapSize(bitmap.Get()).cx, 0, 1, ArtKind::Straight);
    return bitmap;
}

