#include "tests/unit/framework/ElementHost.h"
#include "tests/unit/graphics/TestArt.h"

namespace elements_test {

e2e::Image PaintTree(RootElement& root) {
    TestCanvas canvas(root.Width(), root.Height(), 0xFFFFFF);
    root.Paint(canvas.Dc());
    return {root.Width(), root.Height(), canvas.Colours()};
}

void ElementKinds::SetUpTestSuite() {
    RegisterElxWndClass(GetModuleHandleA(nullptr));
    LoadSharedLook(GetModuleHandleA(nullptr));
}

void ElementKinds::TearDownTestSuite() { ReleaseSharedLook(); }

}  // namespace elements_test
