// The build for real hardware: nothing outside the program can drive the library.
#include "driver/Controls.h"

namespace linsett {

namespace {

class NoControls : public Controls {
public:
    const char* WindowClass() const override { return "LinsettSession"; }
    bool Handle(UINT, WPARAM, LPARAM, LRESULT&) override { return false; }
};

}  // namespace

std::unique_ptr<Controls> MakeControls(Session&) { return std::make_unique<NoControls>(); }

}  // namespace linsett
