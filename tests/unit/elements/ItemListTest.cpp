// The item list on a real hidden window: which items are drawn where, in which width, and
// when its scroll bar shows.
#include <windows.h>

#include <memory>
#include <string>

#include "framework/ItemList.h"
#include "tests/unit/elements/ElementHost.h"

namespace elements_test {
namespace {

struct Drawn {
    int index, x, y, width;
    bool operator==(const Drawn&) const = default;
};

// An item of a fixed height that notes where it was drawn and paints a dark bar there.
class BarItem : public ListItem {
public:
    BarItem(int index, int height, std::vector<Drawn>* log) : index_(index), height_(height), log_(log) {}
    void Measure(SIZE* out, int width) override { *out = {width, height_}; }
    void Draw(HDC dc, int x, int y, int width) override {
        log_->push_back({index_, x, y, width});
        RECT r{x, y, x + 20, y + height_};
        FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }

private:
    int index_, height_;
    std::vector<Drawn>* log_;
};

class ItemListTest : public ElementKinds {
protected:
    ItemList list{&holder};
    std::vector<Drawn> drawn;
    std::vector<std::unique_ptr<BarItem>> owned;
    void SetUp() override {
        ElementKinds::SetUp();
        list.SetBounds(0, 0, 200, 100);
    }
    void Fill(int count, int height) {
        std::vector<ListItem*> items;
        for (int i = 0; i < count; ++i) {
            owned.push_back(std::make_unique<BarItem>(i, height, &drawn));
            items.push_back(owned.back().get());
        }
        list.SetItems(items);
    }
    std::vector<Drawn> Draw() {
        drawn.clear();
        image = PaintTree(host.root);
        return drawn;
    }
    e2e::Image image;
};

TEST_F(ItemListTest, FewItemsNeedNoScrollBar) {
    Fill(3, 20);
    EXPECT_EQ(list.ContentHeight(), 2 + 3 * 22);
    EXPECT_FALSE(list.Scroll().IsVisible());
    EXPECT_EQ(Draw(), (std::vector<Drawn>{{0, 10, 2, 200}, {1, 10, 24, 200}, {2, 10, 46, 200}}));
    EXPECT_EQ(image.ColorAt(199, 50), RGB(70, 70, 70)) << "the frame's right edge";
    EXPECT_EQ(image.ColorAt(150, 50), RGB(224, 224, 224));
}

TEST_F(ItemListTest, ManyItemsScrollOneByOne) {
    Fill(6, 20);
    ASSERT_TRUE(list.Scroll().IsVisible());
    EXPECT_EQ(list.Scroll().X(), 185);
    EXPECT_EQ(list.Scroll().Height(), 100);
    EXPECT_EQ(list.Scroll().GetMaximum(), 5);
    // Narrower by the scroll bar, and only what fits completely.
    EXPECT_EQ(Draw(), (std::vector<Drawn>{{0, 10, 2, 186}, {1, 10, 24, 186}, {2, 10, 46, 186}, {3, 10, 68, 186}}));
    EXPECT_EQ(image.ColorAt(184, 50), RGB(224, 224, 224)) << "the frame must end under the scroll bar, not before it";

    list.Scroll().SetPosition(4);
    EXPECT_EQ(Draw(), (std::vector<Drawn>{{4, 10, 2, 186}, {5, 10, 24, 186}}));

    Fill(6, 20);
    EXPECT_EQ(list.Scroll().GetPosition(), 0) << "new items start from the top";
}

TEST_F(ItemListTest, ScrollBarFollowsTheListsSize) {
    Fill(4, 22);  // 2 + 4 * 24 = 98
    EXPECT_FALSE(list.Scroll().IsVisible());
    list.SetSize(200, 98);
    EXPECT_TRUE(list.Scroll().IsVisible()) << "content exactly as high as the list needs the bar";
    list.Scroll().SetPosition(2);
    list.SetSize(200, 300);
    EXPECT_FALSE(list.Scroll().IsVisible());
    EXPECT_EQ(list.Scroll().GetPosition(), 0) << "a hidden bar must not leave the first items scrolled away";
    EXPECT_EQ(Draw().size(), 4u);
}

TEST_F(ItemListTest, EmptyListDrawsOnlyItsFrame) {
    Fill(0, 20);
    EXPECT_FALSE(list.Scroll().IsVisible());
    EXPECT_EQ(list.Scroll().GetPosition(), 0);
    EXPECT_TRUE(Draw().empty());
    list.SetSize(200, 1);
    EXPECT_TRUE(list.Scroll().IsVisible());
    EXPECT_TRUE(Draw().empty());
}

}  // namespace
}  // namespace elements_test
