// The splitter on a real hidden window: dragging its bar within the limits, the snap
// policy, a splitter too short for its minimums, and the bar's raised look.
#include <windows.h>

#include "framework/Splitter.h"
#include "tests/unit/elements/ElementHost.h"

namespace elements_test {
namespace {

class SplitterTest : public ElementKinds {
protected:
    // At (10, 10), 100 x 200; the bar starts at 50.
    Splitter splitter{&holder};
    Element top{nullptr};
    Element bottom{nullptr};
    void SetUp() override {
        ElementKinds::SetUp();
        splitter.SetBounds(10, 10, 100, 200);
        splitter.SetPanes(&top, &bottom);
        splitter.SetLimits(20, 20);
    }
    // Presses the bar 2 pixels below its top and drags it so that its top would be at y.
    void DragBarTo(int y) {
        int barTop = 10 + splitter.GetSplitPosition();
        host.Down(40, barTop + 2);
        host.Move(70, 10 + y + 2);
        host.Up(70, 10 + y + 2);
    }
};

TEST_F(SplitterTest, BarDragsWithinTheLimits) {
    struct Case {
        int dragTo, position;
    } cases[] = {{100, 100}, {0, 20}, {175, 175}, {400, 175}, {-30, 20}};
    for (const Case& c : cases) {
        DragBarTo(c.dragTo);
        EXPECT_EQ(splitter.GetSplitPosition(), c.position) << "dragged to " << c.dragTo;
        EXPECT_EQ(top.Height(), c.position);
        EXPECT_EQ(bottom.Y(), c.position + 5);
        EXPECT_EQ(bottom.Height(), 200 - c.position - 5);
        EXPECT_EQ(splitter.Bar().Y(), c.position);
    }
    EXPECT_EQ(host.root.Captured(), nullptr);
    EXPECT_EQ(splitter.Bar().Width(), 99);
    EXPECT_EQ(top.GetParent(), &splitter);
}

TEST_F(SplitterTest, ShorterThanItsMinimumsStaysUsable) {
    splitter.SetSize(100, 30);
    for (int y : {5, 22, 28, -10, 12}) {
        DragBarTo(y);
        int position = splitter.GetSplitPosition();
        EXPECT_GE(position, 0);
        EXPECT_LE(position + 5, 30) << "the bar left the splitter, so it can no longer be dragged";
        EXPECT_GE(bottom.Height(), 0);
    }
    EXPECT_EQ(splitter.GetSplitPosition(), 12) << "the bar no longer follows the pointer";

    splitter.SetSize(100, 4);
    EXPECT_EQ(splitter.GetSplitPosition(), 0);
    EXPECT_EQ(bottom.Height(), 0);
    splitter.SetSize(100, 200);
    DragBarTo(120);
    EXPECT_EQ(splitter.GetSplitPosition(), 120) << "grown again, the bar must move freely";
}

TEST_F(SplitterTest, SetPositionIgnoresTheLimitsButLimitsClampIt) {
    splitter.SetSplitPosition(5);
    EXPECT_EQ(splitter.GetSplitPosition(), 5);
    EXPECT_EQ(top.Height(), 5);
    splitter.SetLimits(30, 20);
    EXPECT_EQ(splitter.GetSplitPosition(), 30);
    splitter.SetLimits(30, 100);
    EXPECT_EQ(splitter.GetSplitPosition(), 30);
    splitter.SetSplitPosition(190);
    splitter.SetLimits(30, 100);
    EXPECT_EQ(splitter.GetSplitPosition(), 95);
}

// Snaps to multiples of 25; state 1 ("as low as it goes") once it has snapped past 150.
class LowSnap : public SnapPolicy {
public:
    int Snap(int position) override {
        state = position > 150 ? 1 : 0;
        return (position + 12) / 25 * 25;
    }
    int State() override { return state; }
    int Reapply(int s, int position) override {
        reapplied.push_back(s);
        return s == 1 ? 100000 : position;
    }
    int state = 0;
    std::vector<int> reapplied;
};

TEST_F(SplitterTest, SnapPolicyShapesDragsAndSurvivesResizing) {
    LowSnap snap;
    splitter.SetFilter(&snap);
    DragBarTo(62);
    EXPECT_EQ(splitter.GetSplitPosition(), 50);
    DragBarTo(64);
    EXPECT_EQ(splitter.GetSplitPosition(), 75);

    splitter.SetSplitPosition(80);
    EXPECT_EQ(splitter.GetSplitPosition(), 80) << "state 0 gives the position back as it is";
    EXPECT_EQ(snap.reapplied, (std::vector<int>{0}));

    DragBarTo(160);
    EXPECT_EQ(snap.State(), 1);
    splitter.SetSize(100, 300);
    EXPECT_EQ(splitter.GetSplitPosition(), 275) << "a bar snapped low must stay low when the splitter grows";
}

// Notes the corners its bar reports.
class CornerLog : public ElementDragListener {
public:
    void DragBegin(DragElement*, POINT* p) override { corners.push_back(*p); }
    void DragMove(DragElement*, POINT* p) override { corners.push_back(*p); }
    void DragEnd(DragElement*, POINT* p) override { corners.push_back(*p); }
    std::vector<POINT> corners;
};

TEST_F(SplitterTest, BarReportsOnlyVerticalMoves) {
    SplitterBar bar(&holder, 1);
    bar.SetBounds(200, 100, 80, 5);
    CornerLog log;
    bar.SetListener(&log);
    host.Down(210, 102);
    host.Move(250, 140);
    host.Up(250, 140);
    ASSERT_EQ(log.corners.size(), 3u);
    EXPECT_EQ(log.corners[1].x, 200) << "a sideways move reached the listener";
    EXPECT_EQ(log.corners[1].y, 138);
    EXPECT_EQ(log.corners[0].y, 100);
}

TEST_F(SplitterTest, BarIsRaised) {
    splitter.SetSplitPosition(100);
    e2e::Image image = PaintTree(host.root);
    const int x = 10 + 50, y = 10 + 100;
    EXPECT_EQ(image.ColorAt(x, y), RGB(0xF0, 0xF0, 0xF0));
    EXPECT_EQ(image.ColorAt(x, y + 1), RGB(0xF0, 0xF0, 0xF0));
    EXPECT_EQ(image.ColorAt(x, y + 2), RGB(0xE0, 0xE0, 0xE0));
    EXPECT_EQ(image.ColorAt(x, y + 3), RGB(0x9B, 0x9B, 0x9B));
    EXPECT_EQ(image.ColorAt(x, y + 4), RGB(0x73, 0x73, 0x73));
    EXPECT_EQ(image.ColorAt(10, y + 4), RGB(0xF0, 0xF0, 0xF0)) << "left end";
    EXPECT_EQ(image.ColorAt(10 + 98, y + 1), RGB(0x73, 0x73, 0x73)) << "right end";
    EXPECT_EQ(image.ColorAt(10 + 97, y + 3), RGB(0xA5, 0xA5, 0xA5));
    EXPECT_EQ(image.ColorAt(10 + 96, y + 4), RGB(0xCE, 0xCE, 0xCE));
}

}  // namespace
}  // namespace elements_test
