// One window's worth of every element kind, painted off screen and kept as a screenshot
// for a person to look at; the test itself checks a few pixels each kind must own.
#include <windows.h>

#include "framework/CheckBox.h"
#include "framework/ElementText.h"
#include "framework/ItemList.h"
#include "framework/Splitter.h"
#include "framework/TextPushButton.h"
#include "tests/unit/elements/ElementHost.h"

namespace elements_test {
namespace {

// A line of text, 15 pixels high.
class TextItem : public ListItem {
public:
    explicit TextItem(String text) : text_(std::move(text)) {}
    void Measure(SIZE* out, int width) override { *out = {width, 15}; }
    void Draw(HDC dc, int x, int y, int) override { DrawLabel(dc, GetSharedFont(SharedFont::Text), x, y, text_); }

private:
    String text_;
};

// A pane filled with one brush.
class Panel : public Element {
public:
    using Element::Element;
    void DrawSelf(HDC dc) override {
        RECT all{0, 0, width_, height_};
        FillRect(dc, &all, GetSharedBrush(SharedBrush::Grey200));
    }
};

TEST_F(ElementKinds, EveryKindInOnePicture) {
    Panel background(&holder);
    background.SetBounds(0, 0, 400, 300);

    ScrollBar bar(&holder, 1);
    bar.SetBounds(10, 10, 15, 250);
    bar.SetPosition(30);

    Splitter splitter(&holder);
    splitter.SetBounds(40, 10, 200, 250);
    ItemList list(nullptr);
    Panel lower(nullptr);
    splitter.SetPanes(&list, &lower);
    splitter.SetSplitPosition(150);
    TextItem items[] = {TextItem("Hub, 4 ports"), TextItem("Optical drive"), TextItem("Keyboard"),
                        TextItem("Mouse"),        TextItem("Card reader"),   TextItem("Camera"),
                        TextItem("Printer"),      TextItem("Phone"),         TextItem("Headset"),
                        TextItem("Disk")};
    std::vector<ListItem*> pointers;
    for (TextItem& item : items) pointers.push_back(&item);
    list.SetItems(pointers);
    list.Scroll().SetPosition(1);

    TextPushButton wide(&holder, 2, &WideButtonStrip(), 0, "Device Options");
    wide.SetPosition(260, 10);
    TextPushButton dialog(&holder, 3, &DialogButtonStrip(), 0, "Save");
    dialog.SetPosition(260, 40);
    CheckBox on(&holder, 4, "Always on top");
    on.SetPosition(260, 80);
    on.SetChecked(true);
    CheckBox off(&holder, 5, "Start with Windows");
    off.SetPosition(260, 100);

    e2e::Image image = PaintTree(host.root);
    std::string path = e2e::SaveScreenshot(image, "element_kinds");
    EXPECT_FALSE(path.empty()) << "the picture could not be saved";

    EXPECT_EQ(image.ColorAt(40 + 60, 10 + 150), RGB(0xF0, 0xF0, 0xF0)) << "splitter bar";
    EXPECT_EQ(image.ColorAt(40 + 60, 10 + 200), RGB(200, 200, 200)) << "lower pane";
    EXPECT_EQ(image.ColorAt(40, 10 + 60), RGB(70, 70, 70)) << "list frame";
    EXPECT_EQ(image.ColorAt(10 + 7, 10 + 150), RGB(165, 165, 165)) << "scroll track";
    EXPECT_TRUE(list.Scroll().IsVisible());
}

}  // namespace
}  // namespace elements_test
