// Check boxes and captioned push buttons on a real hidden window.
#include <windows.h>

#include <algorithm>

#include "framework/CheckBox.h"
#include "framework/ElementText.h"
#include "framework/TextPushButton.h"
#include "base/HandleOwners.h"
#include "tests/unit/elements/ElementHost.h"

namespace elements_test {
namespace {

constexpr int kCheck = 31;

class CheckBoxTest : public ElementKinds {
protected:
    CheckBox box{&holder, kCheck, "Start with Windows"};
    void SetUp() override {
        ElementKinds::SetUp();
        box.SetPosition(20, 20);
    }
};

TEST_F(CheckBoxTest, SizedToBoxAndLabel) {
    WindowDC screen(nullptr);
    SIZE label = TextExtent(screen.Get(), GetSharedFont(SharedFont::Text), "Start with Windows");
    ASSERT_GT(label.cx, 40);
    EXPECT_EQ(box.Width(), 19 + CheckBox::kLabelGap + label.cx);
    EXPECT_EQ(box.Height(), 15);
}

TEST_F(CheckBoxTest, ClickFlipsAndReportsReleaseOutsideDoesNothing) {
    const int boxX = 25, labelX = 20 + box.Width() - 3, y = 27;
    EXPECT_EQ(box.GetFrame(), 2) << "unchecked at first";

    host.Down(boxX, y);
    EXPECT_EQ(box.GetFrame(), 3) << "unchecked and pressed";
    host.Move(boxX, 100);
    EXPECT_EQ(box.GetFrame(), 2) << "moved off: no longer pressed";
    host.Up(boxX, 100);
    EXPECT_FALSE(box.IsChecked()) << "released off the box, yet it flipped";
    EXPECT_TRUE(holder.commands.empty());
    EXPECT_EQ(host.root.Captured(), nullptr);

    host.Down(labelX, y);  // the label is part of the box
    host.Up(labelX, y);
    EXPECT_TRUE(box.IsChecked());
    EXPECT_EQ(box.GetFrame(), 0);
    host.Down(boxX, y);
    EXPECT_EQ(box.GetFrame(), 1) << "checked and pressed";
    host.Move(300, 200);
    host.Move(boxX, y);  // back on before the release: it counts
    host.Up(boxX, y);
    EXPECT_FALSE(box.IsChecked());
    EXPECT_EQ(holder.commands, (std::vector<int>{kCheck, kCheck}));

    host.Up(boxX, y);  // a release with no press before it
    box.SetChecked(true);
    EXPECT_EQ(box.GetFrame(), 0);
    EXPECT_EQ(holder.commands.size(), 2u) << "only the user's clicks are reported";
}

// The box around the pixels that differ between two pictures, or an empty one.
RECT Difference(const e2e::Image& a, const e2e::Image& b) {
    RECT r{a.width, a.height, -1, -1};
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            if (a.At(x, y) != b.At(x, y)) {
                r.left = std::min<LONG>(r.left, x);
                r.top = std::min<LONG>(r.top, y);
                r.right = std::max<LONG>(r.right, x + 1);
                r.bottom = std::max<LONG>(r.bottom, y + 1);
            }
    return r;
}

TEST_F(ElementKinds, CaptionIsCentredOnTheButton) {
    TextPushButton button(&holder, 5, &DialogButtonStrip(), 0, "");
    ASSERT_EQ(button.Width(), 57);
    ASSERT_EQ(button.Height(), 21);
    button.SetPosition(40, 30);
    e2e::Image blank = PaintTree(host.root);
    for (const char* caption : {"OK", "Cancel", "W"}) {
        button.SetCaption(caption);
        RECT ink = Difference(blank, PaintTree(host.root));
        ASSERT_LT(ink.left, ink.right) << caption << " drew nothing";
        int left = ink.left - 40, right = 40 + 57 - ink.right;
        int top = ink.top - 30, bottom = 30 + 21 - ink.bottom;
        EXPECT_LE(std::abs(left - right), 2) << caption << " is off centre sideways: " << left << " / " << right;
        EXPECT_LE(std::abs(top - bottom), 3) << caption << " is off centre vertically: " << top << " / " << bottom;
        EXPECT_GE(left, 0);
    }
}

}  // namespace
}  // namespace elements_test
