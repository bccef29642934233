#include "tests/e2e/demo/DemoContent.h"

#include <string>

#include "framework/SharedLook.h"
#include "framework/RootElement.h"
#include "graphics/ImageHelpers.h"
#include "graphics/StartupStrips.h"

// One line of text in the demo list.
class DemoContent::TextItem : public ListItem {
public:
    explicit TextItem(std::string text) : text_(std::move(text)) {}
    void Measure(SIZE* out, int width) override { *out = {width, 18}; }
    void Draw(HDC dc, int x, int y, int) override {
        HGDIOBJ old = SelectObject(dc, GetSharedFont(SharedFont::Text));
        SetBkMode(dc, TRANSPARENT);
        TextOutA(dc, x + 6, y + 3, text_.c_str(), static_cast<int>(text_.size()));
        SelectObject(dc, old);
    }

private:
    std::string text_;
};

DemoContent::DemoContent(Element* parent)
    : ContainerElement(parent),
      wide_(this, 101, &WideButtonStrip(), 0, "Device Options"),
      dialog_(this, 102, &DialogButtonStrip(), 0, "Save"),
      repeat_(this, 103, &MonitorScrollStrip(), 0),
      check_(this, 104, "Always on top"),
      scroll_(this, 105),
      splitter_(this),
      list_(&splitter_),
      lower_(&splitter_) {
    wide_.SetPosition(20, 20);
    wide_.SetTooltip("Wide push button");
    dialog_.SetPosition(20, 56);
    repeat_.SetPosition(100, 60);
    check_.SetPosition(20, 96);
    scroll_.SetBounds(520, 20, 15, 250);
    scroll_.SetMaximum(100);
    scroll_.SetPosition(30);
    for (int i = 1; i <= 30; ++i) items_.push_back(std::make_unique<TextItem>("Device " + std::to_string(i)));
    std::vector<ListItem*> items;
    for (auto& item : items_) items.push_back(item.get());
    list_.SetItems(items);
    splitter_.SetBounds(200, 100, 290, 250);
    splitter_.SetPanes(&list_, &lower_);
    splitter_.SetLimits(40, 40);
    splitter_.SetSplitPosition(150);
}

void DemoContent::DrawSelf(HDC dc) {
    TileBackground(dc, BackgroundTexture(), {0, 0, width_, height_});
    for (int severity = 0; severity < 5; ++severity) DrawSeverityMarker(dc, severity, 200 + severity * 24, 20);
    for (int plate = 0; plate < 4; ++plate) DrawHubPlate(dc, plate, 200 + plate * 28, 52);
    for (int badge = 0; badge < 4; ++badge) DrawPortBadge(dc, badge, false, 330 + badge * 42, 56);
}

void DemoContent::UpdateShape() { shape_ = Region::CreateRect(0, 0, width_, height_); }

void DemoContent::Command(int id) {
    if (RootElement* root = GetRoot())
        SetWindowTextA(root->GetWindow(), ("Frame demo: " + std::to_string(id)).c_str());
}
