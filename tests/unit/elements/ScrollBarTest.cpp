// The scroll bar on a real hidden window: the thumb from positions and drags, presses on
// the track, the repeating arrows driven by posted WM_TIMER, the groove it draws.
#include <windows.h>

#include "framework/ScrollBar.h"
#include "tests/unit/elements/ElementHost.h"

namespace elements_test {
namespace {

constexpr int kCommand = 7;

class ScrollBarTest : public ElementKinds {
protected:
    // At (100, 20) in window coordinates, 175 high: with 55-pixel arrows and a 15-pixel
    // thumb the track is 50 long.
    ScrollBar bar{&holder, kCommand};
    void SetUp() override {
        ElementKinds::SetUp();
        bar.SetBounds(100, 20, 15, 175);
    }
    int ThumbTop() const { return bar.Thumb().Y(); }
    // A point on the thumb, in window coordinates.
    int ThumbY() const { return 20 + bar.Thumb().Y() + 7; }
};

TEST_F(ScrollBarTest, ArtHasTheSizesTheGeometryAssumes) {
    ASSERT_EQ(bar.UpArrow().Height(), 55);
    ASSERT_EQ(bar.DownArrow().Y(), 175 - 55);
    ASSERT_EQ(bar.Thumb().Height(), 15);
    ASSERT_EQ(bar.Thumb().Width(), 15);
}

TEST_F(ScrollBarTest, ThumbFollowsPositionAndMaximum) {
    bar.SetPosition(50);
    EXPECT_EQ(ThumbTop(), 55 + 25) << "maximum 100 on a track of 50";
    EXPECT_EQ(holder.commands, (std::vector<int>{kCommand}));
    bar.SetPosition(50);
    EXPECT_EQ(holder.commands.size(), 1u) << "an unchanged position was reported";

    bar.SetMaximum(20);
    EXPECT_EQ(bar.GetPosition(), 20) << "the position must not stay beyond the maximum";
    EXPECT_EQ(ThumbTop(), 55 + 50);
    EXPECT_EQ(holder.commands.size(), 1u) << "a new maximum is not the user's change";

    bar.SetMaximum(0);
    EXPECT_FALSE(bar.Thumb().IsVisible()) << "nothing to scroll, yet a thumb";
    host.Down(107, 20 + 100);  // a press on the track of an empty bar changes nothing
    EXPECT_EQ(bar.GetPosition(), 0);

    bar.SetMaximum(10);
    bar.SetSize(15, 125);  // arrows fill it all: no track
    EXPECT_FALSE(bar.Thumb().IsVisible());
    bar.SetSize(15, 175);
    EXPECT_TRUE(bar.Thumb().IsVisible()) << "growing again must bring the thumb back";
    EXPECT_EQ(bar.DownArrow().Y(), 120) << "the down arrow follows the bottom";
}

TEST_F(ScrollBarTest, DraggingTheThumbSetsThePosition) {
    bar.SetPosition(10);  // thumb top 60
    holder.commands.clear();
    host.Down(107, ThumbY());
    EXPECT_TRUE(bar.Thumb().IsHeld());
    EXPECT_EQ(host.root.Captured(), &bar.Thumb());
    EXPECT_EQ(bar.GetPosition(), 12) << "the press itself reads the thumb's top: (60 - 55 + 1) * 2";

    host.Move(140, 67 + 20 + 10);  // 10 down, and off the bar sideways: the capture keeps it
    EXPECT_EQ(bar.GetPosition(), 32);
    host.Move(107, 500);
    EXPECT_EQ(bar.GetPosition(), 100) << "dragged below the bar";
    EXPECT_EQ(ThumbTop(), 105);
    host.Move(107, -500);
    EXPECT_EQ(bar.GetPosition(), 0) << "dragged above the bar";
    host.Up(107, -500);
    EXPECT_FALSE(bar.Thumb().IsHeld());
    EXPECT_EQ(host.root.Captured(), nullptr);
    EXPECT_EQ(holder.commands, (std::vector<int>{kCommand, kCommand, kCommand, kCommand}));

    host.Move(107, 300);
    EXPECT_EQ(bar.GetPosition(), 0) << "a move after the release still dragged the thumb";
}

TEST_F(ScrollBarTest, PressOnTheTrackJumpsThere) {
    host.Down(107, 20 + 95);  // (95 - 55 + 1) * 100 / 50
    EXPECT_EQ(bar.GetPosition(), 82);
    EXPECT_EQ(host.root.Captured(), nullptr) << "the track does not hold the pointer";
    host.Down(107, 20 + 56);
    EXPECT_EQ(bar.GetPosition(), 4);
}

TEST_F(ScrollBarTest, ArrowsRepeatOnTheirTimerWhileHeldOverThem) {
    const int downY = 20 + 175 - 10, upY = 20 + 10;
    bar.SetPosition(10);
    holder.commands.clear();

    host.Down(107, downY);
    EXPECT_EQ(bar.GetPosition(), 11) << "the press itself moves at once";
    UINT timer = bar.DownArrow().RepeatTimer();
    ASSERT_NE(timer, 0u);
    KillTimer(host.Handle(), timer);  // only the ticks this test posts may arrive
    host.PostTimer(timer);
    host.PostTimer(timer);
    host.Pump();
    EXPECT_EQ(bar.GetPosition(), 13);

    host.Move(107, upY);  // held, but over the other arrow: ticks do nothing
    host.PostTimer(timer);
    host.Pump();
    EXPECT_EQ(bar.GetPosition(), 13);
    host.Move(107, downY);
    host.PostTimer(timer);
    host.Pump();
    EXPECT_EQ(bar.GetPosition(), 14);

    host.Up(107, downY);
    EXPECT_EQ(bar.GetPosition(), 14) << "the release fires nothing";
    EXPECT_EQ(bar.DownArrow().RepeatTimer(), 0u);
    host.PostTimer(timer);
    host.Pump();
    EXPECT_EQ(bar.GetPosition(), 14) << "a tick after the release still moved";
    EXPECT_EQ(holder.commands.size(), 4u);

    host.Down(107, upY);
    UINT second = bar.UpArrow().RepeatTimer();
    KillTimer(host.Handle(), second);
    EXPECT_GT(second, timer) << "timer ids are never reused";
    host.PostTimer(second);
    host.Pump();
    host.Up(107, upY);
    EXPECT_EQ(bar.GetPosition(), 12);
}

TEST_F(ScrollBarTest, DownArrowStopsAtTheMaximum) {
    bar.SetPosition(99);
    holder.commands.clear();
    host.Down(107, 20 + 170);
    KillTimer(host.Handle(), bar.DownArrow().RepeatTimer());
    for (int tick = 0; tick < 3; ++tick) host.PostTimer(bar.DownArrow().RepeatTimer());
    host.Pump();
    host.Up(107, 20 + 170);
    EXPECT_EQ(bar.GetPosition(), 100);
    EXPECT_EQ(holder.commands, (std::vector<int>{kCommand})) << "ticks at the maximum must change nothing";
}

TEST_F(ScrollBarTest, DrawsASunkenGroove) {
    e2e::Image tall = PaintTree(host.root);
    ASSERT_FALSE(tall.Empty());
    const int y = 20 + 100;  // on the track, below the thumb at position 0
    EXPECT_EQ(tall.ColorAt(100, y), RGB(0, 0, 0));
    EXPECT_EQ(tall.ColorAt(101, y), RGB(112, 112, 112));
    EXPECT_EQ(tall.ColorAt(102, y), RGB(142, 142, 142));
    EXPECT_EQ(tall.ColorAt(107, y), RGB(165, 165, 165));
    EXPECT_EQ(tall.ColorAt(112, y), RGB(180, 180, 180));
    EXPECT_EQ(tall.ColorAt(113, y), RGB(230, 230, 230));
    EXPECT_EQ(tall.ColorAt(114, y), RGB(0, 0, 0));

}

}  // namespace
}  // namespace elements_test
