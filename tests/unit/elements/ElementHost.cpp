#include "tests/unit/elements/ElementHost.h"

#include <cstring>

#include "base/HandleOwners.h"
#include "graphics/MemoryDC.h"

namespace elements_test {

e2e::Image PaintTree(RootElement& root) {
    e2e::Image image;
    image.width = root.Width();
    image.height = root.Height();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    Bitmap dib(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib || !bits) return image;
    {
        MemoryDC memory(dib.Get());
        RECT all{0, 0, image.width, image.height};
        FillRect(memory.GetDC(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        root.Paint(memory.GetDC());
        GdiFlush();
    }
    image.pixels.resize(static_cast<size_t>(image.width) * image.height);
    std::memcpy(image.pixels.data(), bits, image.pixels.size() * 4);
    for (uint32_t& pixel : image.pixels) pixel &= 0x00FFFFFF;
    return image;
}

void ElementKinds::SetUpTestSuite() {
    RegisterElxWndClass(GetModuleHandleA(nullptr));
    LoadSharedLook(GetModuleHandleA(nullptr));
}

void ElementKinds::TearDownTestSuite() { ReleaseSharedLook(); }

}  // namespace elements_test
