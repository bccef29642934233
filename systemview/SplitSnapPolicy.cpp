#include "systemview/SplitSnapPolicy.h"

namespace {
constexpr int kStrip = 35;
// Just short of the pane's full height, and how far beyond it a generous view reaches.
constexpr int kShortOfFull = 15, kGenerous = 130;
}  // namespace

int SplitSnapPolicy::Snap(int position) {
    const int compact = compact_(), full = full_();
    if (position < 50) return state_ = 1, kStrip;
    if (position <= compact) return state_ = 2, compact;
    if (position < full + 60) return state_ = 3, full - kShortOfFull;
    if (position <= full + kGenerous) return state_ = 4, full + kGenerous;
    state_ = 0;
    return position;
}

int SplitSnapPolicy::Reapply(int state, int position) {
    state_ = state;
    switch (state) {
    case 1: return kStrip;
    case 2: return compact_();
    case 3: return full_() - kShortOfFull;
    case 4: return full_() + kGenerous;
    default: return Snap(position);
    }
}
