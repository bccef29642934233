// Check boxes and captioned push buttons: what they take as a click, where their text goes.
#include <algorithm>
#include <cstdlib>
#include <utility>
#include "framework/CheckBox.h"
#include "framework/TextPushButton.h"
#include "tests/unit/framework/ElementHost.h"

namespace elements_test {

// The first and last columns in which two pictures differ.
std::pair<int, int> InkColumns(const e2e::Image& a, const e2e::Image& b) {
    std::pair<int, int> columns{a.width, -1};
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            if (a.At(x, y) != b.At(x, y)) columns = {std::min(columns.first, x), std::max(columns.second, x)};
    return columns;
}

TEST_F(ElementKinds, CheckBoxShowsItsWholeLabelAndFlipsOnlyWhenReleasedOverIt) {
    e2e::Image padded;
    {
        CheckBox wider(&holder, 32, "Start with Windows  ");  // the trailing blanks draw nothing
        wider.SetPosition(20, 20);
        padded = PaintTree(host.root);
    }
    CheckBox box(&holder, 31, "Start with Windows");
    box.SetPosition(20, 20);
    EXPECT_EQ(InkColumns(padded, PaintTree(host.root)).second, -1) << "the box is narrower than its label";
    host.Down(25, 27);
    host.Move(25, 100);
    host.Up(25, 100);
    EXPECT_EQ(box.GetFrame(), 2) << "released off the box, yet it flipped";
    host.Down(25, 27);
    host.Up(25, 27);
    EXPECT_EQ(box.GetFrame(), 0) << "checked";
    EXPECT_EQ(holder.commands, (std::vector<int>{31}));
}

TEST_F(ElementKinds, PushButtonCentresItsCaptionAndFiresOnlyWhenReleasedOverIt) {
    TextPushButton button(&holder, 5, &DialogButtonStrip(), 0, "");
    button.SetPosition(40, 30);
    e2e::Image blank = PaintTree(host.root);
    button.SetCaption("Cancel");
    auto [left, right] = InkColumns(blank, PaintTree(host.root));
    EXPECT_LE(std::abs((left - 40) - (40 + button.Width() - 1 - right)), 2) << "off centre: " << left << "-" << right;
    host.Down(45, 35);
    host.Move(300, 35);
    host.Up(300, 35);
    EXPECT_TRUE(holder.commands.empty()) << "released off the button, yet it fired";
    host.Down(45, 35);
    host.Up(45, 35);
    EXPECT_EQ(holder.commands, (std::vector<int>{5}));
}

}  // namespace elements_test
