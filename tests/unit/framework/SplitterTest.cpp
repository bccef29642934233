// The splitter: its bar dragged within the limits, and snapped bars kept on resizing.
#include "framework/Splitter.h"
#include "tests/unit/framework/ElementHost.h"

namespace elements_test {

// A bar dragged below 150 is "as low as it goes" (state 1), wherever the bottom lies.
struct LowSnap : SnapPolicy {
    int Snap(int position) override { state = position > 150 ? 1 : 0; return position; }
    int State() override { return state; }
    int Reapply(int s, int position) override { return s == 1 ? 100000 : position; }
    int state = 0;
};

TEST_F(ElementKinds, SplitterBarDragsWithinTheLimitsAndASnappedBarStaysOnResize) {
    Splitter splitter(&holder);
    Element top(nullptr), bottom(nullptr);
    splitter.SetBounds(10, 10, 100, 200);
    splitter.SetPanes(&top, &bottom);
    splitter.SetLimits(20, 20);
    auto dragBarTo = [&](int y) {  // pressed 2 pixels below its top
        host.Down(40, 10 + splitter.GetSplitPosition() + 2);
        host.Move(70, 10 + y + 2);
        host.Up(70, 10 + y + 2);
    };
    struct Case { int dragTo, position; } cases[] = {{100, 100}, {0, 20}, {400, 175}};
    for (const Case& c : cases) {
        dragBarTo(c.dragTo);
        EXPECT_EQ(splitter.GetSplitPosition(), c.position) << "dragged to " << c.dragTo;
        EXPECT_EQ(bottom.Height(), 200 - c.position - 5);
    }
    LowSnap snap;
    splitter.SetFilter(&snap);
    dragBarTo(160);
    splitter.SetSize(100, 300);
    EXPECT_EQ(splitter.GetSplitPosition(), 275) << "a bar snapped low must stay low when the splitter grows";
}

}  // namespace elements_test
