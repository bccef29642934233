#include "tests/e2e/demo/DemoContent.h"

#include "app/SharedLook.h"
#include "framework/PushButton.h"
#include "graphics/ImageHelpers.h"
#include "graphics/StartupStrips.h"

DemoContent::DemoContent(Element* parent) : ContainerElement(parent) {
    auto wide = std::make_unique<PushButton>(this, 101, &WideButtonStrip(), 0);
    wide->SetPosition(20, 20);
    wide->SetTooltip("Wide push button");
    kinds_.push_back(std::move(wide));
    auto dialog = std::make_unique<PushButton>(this, 102, &DialogButtonStrip(), 0);
    dialog->SetPosition(20, 56);
    kinds_.push_back(std::move(dialog));
}

void DemoContent::DrawSelf(HDC dc) {
    TileBackground(dc, BackgroundTexture(), {0, 0, width_, height_});
    for (int severity = 0; severity < 5; ++severity) DrawSeverityMarker(dc, severity, 200 + severity * 24, 20);
    for (int plate = 0; plate < 4; ++plate) DrawHubPlate(dc, plate, 200 + plate * 28, 52);
}

void DemoContent::UpdateShape() { shape_ = Region::CreateRect(0, 0, width_, height_); }

void DemoContent::Command(int id) {
    // Demo buttons announce themselves in the window title, so tests can see the click.
    if (parent_) parent_->Command(id);
}
