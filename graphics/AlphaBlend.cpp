#include "graphics/AlphaBlend.h"

namespace {

using AlphaBlendProc = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int,
                                     BLENDFUNCTION);

AlphaBlendProc ResolveAlphaBlend() {
    // The reference taken here is kept for the life of the process, so the pointer stays good
    // after start-up's own FreeLibrary at shut-down.
    HMODULE module = LoadLibraryA("msimg32.dll");
    if (!module) return nullptr;
    FARPROC proc = GetProcAddress(module, "AlphaBlend");
    return reinterpret_cast<AlphaBlendProc>(reinterpret_cast<void*>(proc));
}

AlphaBlendProc AlphaBlendFunction() {
    static const AlphaBlendProc proc = ResolveAlphaBlend();
    return proc;
}

}  // namespace

bool AlphaBlendAvailable() { return AlphaBlendFunction() != nullptr; }

bool BlendPremultiplied(HDC dest, int x, int y, int width, int height, HDC source, int sourceX,
                        int sourceY, int sourceWidth, int sourceHeight) {
    AlphaBlendProc proc = AlphaBlendFunction();
    if (!proc) return false;
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    return proc(dest, x, y, width, height, source, sourceX, sourceY, sourceWidth, sourceHeight,
                blend) != FALSE;
}
