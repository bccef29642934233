// The scroll bar: the thumb, the track, the arrows repeating on posted WM_TIMER, the groove.
#include "framework/ScrollBar.h"
#include "tests/unit/framework/ElementHost.h"

namespace elements_test {

// At (100, 20), 175 high: 55-pixel arrows and a 15-pixel thumb leave a track of 50.
class ScrollBarTest : public ElementKinds {
protected:
    ScrollBar bar{&holder, 7};
    void SetUp() override {
        ElementKinds::SetUp();
        bar.SetBounds(100, 20, 15, 175);
    }
    // Delivers ticks of the arrow's timer as the window would, and only those.
    void Tick(const RepeatPushButton& arrow, int ticks) {
        KillTimer(host.Handle(), arrow.RepeatTimer());
        for (int i = 0; i < ticks; ++i) host.PostTimer(arrow.RepeatTimer());
        host.Pump();
    }
};

TEST_F(ScrollBarTest, DrawsASunkenGrooveAndReportsOnlyTheUsersChanges) {
    e2e::Image image = PaintTree(host.root);
    const struct { int x; COLORREF colour; } columns[] = {
        {100, RGB(0, 0, 0)},       {101, RGB(112, 112, 112)}, {102, RGB(142, 142, 142)}, {107, RGB(165, 165, 165)},
        {112, RGB(180, 180, 180)}, {113, RGB(230, 230, 230)}, {114, RGB(0, 0, 0)}};
    for (const auto& column : columns) EXPECT_EQ(image.ColorAt(column.x, 20 + 100), column.colour) << column.x;
    bar.SetPosition(50);
    bar.SetPosition(50);
    bar.SetMaximum(20);
    EXPECT_EQ(bar.GetPosition(), 20) << "the position must not stay beyond the maximum";
    EXPECT_EQ(holder.commands.size(), 1u) << "an unchanged position or a new maximum was reported";
}

TEST_F(ScrollBarTest, DraggingTheThumbAndPressingTheTrack) {
    bar.SetPosition(10);  // thumb top 60
    host.Down(107, 20 + 60 + 7);
    host.Move(140, 20 + 60 + 7 + 10);  // 10 down, and off the bar sideways: the capture keeps it
    EXPECT_EQ(bar.GetPosition(), 32);
    host.Up(107, 500);
    EXPECT_EQ(bar.GetPosition(), 100) << "dropped below the bar";
    EXPECT_FALSE(bar.Thumb().IsHeld());
    host.Down(107, 20 + 95);  // on the track: jumps there
    EXPECT_EQ(bar.GetPosition(), 82);
}

TEST_F(ScrollBarTest, ArrowsRepeatWhileHeldOverThemUpToTheEnd) {
    const int downY = 20 + 175 - 10, upY = 20 + 10;
    bar.SetPosition(98);
    host.Down(107, downY);
    EXPECT_EQ(bar.GetPosition(), 99) << "the press itself moves at once";
    host.Move(107, upY);  // held, but over the other arrow: ticks do nothing
    Tick(bar.DownArrow(), 1);
    EXPECT_EQ(bar.GetPosition(), 99);
    host.Move(107, downY);
    Tick(bar.DownArrow(), 3);
    EXPECT_EQ(bar.GetPosition(), 100);
    host.Up(107, downY);
    EXPECT_EQ(bar.DownArrow().RepeatTimer(), 0u) << "the release left the timer running";
    EXPECT_EQ(holder.commands.size(), 3u) << "ticks at the maximum changed something";
}

}  // namespace elements_test
