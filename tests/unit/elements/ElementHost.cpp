#include "tests/unit/elements/ElementHost.h"

#include "base/HandleOwners.h"
#include "graphics/MemoryDC.h"

namespace elements_test {

e2e::Image PaintTree(RootElement& root) {
    e2e::Image image{root.Width(), root.Height(), {}};
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, image.width, -image.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};  // top-down
    void* bits = nullptr;
    Bitmap dib(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bits) return image;
    MemoryDC memory(dib.Get());
    PatBlt(memory.GetDC(), 0, 0, image.width, image.height, WHITENESS);
    root.Paint(memory.GetDC());
    GdiFlush();
    for (int i = 0; i < image.width * image.height; ++i)
        image.pixels.push_back(static_cast<const uint32_t*>(bits)[i] & 0x00FFFFFF);
    return image;
}

void ElementKinds::SetUpTestSuite() {
    RegisterElxWndClass(GetModuleHandleA(nullptr));
    LoadSharedLook(GetModuleHandleA(nullptr));
}

void ElementKinds::TearDownTestSuite() { ReleaseSharedLook(); }

}  // namespace elements_test
