#include "systemview/SplitSnapPolicy.h"

namespace {
constexpr int kStrip = 35;
}  // namespace

int SplitSnapPolicy::Snap(int position) {
    const int compact = compact_(), full = full_();
    if (position < 50) return state_ = 1, kStrip;
    if (position <= compact) return state_ = 2, compact;
    if (position < full + 60) return state_ = 3, full - 15;
    if (position <= full + 130) return state_ = 4, full + 130;
    state_ = 0;
    return position;
}

int SplitSnapPolicy::Reapply(int state, int position) {
    state_ = state;
    switch (state) {
    case 1: return kStrip;
    case 2: return compact_();
    case 3: return full_() - 15;
    case 4: return full_() + 130;
    default: return Snap(position);
    }
}
