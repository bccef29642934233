#pragma once
#include "framework/Splitter.h"

// Where the system view's split bar settles: a thin strip, the pane's compact height, just
// short of its full height, a generous view of it, or wherever the user left it. The
// heights are asked anew each time, so a snapped bar follows the pane's content.
class SplitSnapPolicy : public SnapPolicy {
public:
    using Height = int (*)();
    SplitSnapPolicy(Height compact, Height full) : compact_(compact), full_(full) {}

    int Snap(int position) override;
    int State() override { return state_; }
    int Reapply(int state, int position) override;

private:
    Height compact_;
    Height full_;
    int state_ = 0;
};
