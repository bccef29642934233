// The item list: which items are drawn in which width, and its bar following its size.
#include "framework/ItemList.h"
#include "tests/unit/framework/ElementHost.h"

namespace elements_test {

// An item 20 high that notes its index and width when drawn.
struct NotedItem : ListItem {
    NotedItem(int index, std::string* log) : index(index), log(log) {}
    void Measure(SIZE* out, int width) override { *out = {width, 20}; }
    void Draw(HDC, int, int, int width) override { *log += std::to_string(index) + "/" + std::to_string(width) + " "; }
    int index;
    std::string* log;
};

TEST_F(ElementKinds, ItemListDrawsWhatFitsBesideItsBarAndScrollsBackWhenTheBarGoes) {
    ItemList list(&holder);
    list.SetBounds(0, 0, 200, 100);
    std::string drawn;
    std::vector<NotedItem> items;
    for (int i = 0; i < 6; ++i) items.emplace_back(i, &drawn);
    list.SetItems({&items[0], &items[1], &items[2], &items[3], &items[4], &items[5]});
    e2e::Image image = PaintTree(host.root);
    EXPECT_EQ(drawn, "0/186 1/186 2/186 3/186 ") << "narrower by the bar, and only what fits";
    EXPECT_EQ(image.ColorAt(184, 50), RGB(224, 224, 224)) << "the frame must end under the scroll bar, not before it";
    list.Scroll().SetPosition(4);
    list.SetSize(200, 300);
    EXPECT_EQ(list.Scroll().GetPosition(), 0) << "a hidden bar must not leave the first items scrolled away";
}

}  // namespace elements_test
