#include "model/Notices.h"

#include <algorithm>

#include "model/Alerts.h"

namespace notices {
namespace {

// Windows brings devices up for several seconds after logon, when the program starts with
// it, and the user who just started it sees its windows: changes then are no news.
constexpr uint64_t kStartupSilence = 10000;
// A hub announces its devices within a few hundred milliseconds: a second without a change
// ends a burst...
constexpr uint64_t kGather = 1000;
// ...but a burst that never pauses is told after five seconds all the same.
constexpr uint64_t kLongestWait = 5000;
// A balloon stays about ten seconds; one every five at most leaves time to read it.
constexpr uint64_t kLeastGap = 5000;
// A device told of that changes again before it has been still this long is flapping: the
// notice already said something is up with it, and the windows show how it is now.
constexpr uint64_t kQuiet = 10000;

bool Wanted(const history::Entry& entry, int32_t level) {
    // A rename is the user's own doing.
    if (level <= kNone || entry.event == history::Event::Renamed) return false;
    if (level == kFailuresOnly)
        return entry.event == history::Event::Health && entry.device.severity >= severity::kFailure;
    return true;
}

Notice Summarise(const std::vector<history::Entry>& burst) {
    // Each device as the burst left it, in the order they first changed.
    std::vector<const history::Entry*> latest;
    Notice notice;
    for (const history::Entry& entry : burst) {
        if (entry.event == history::Event::Health) notice.worst = std::max(notice.worst, entry.device.severity);
        auto same = std::find_if(latest.begin(), latest.end(),
                                 [&](const history::Entry* seen) { return seen->device.key == entry.device.key; });
        if (same == latest.end()) latest.push_back(&entry);
        else *same = &entry;
    }
    if (latest.size() == 1) {
        notice.entry = *latest.front();
        return notice;
    }
    auto all = [&](history::Event event) {
        return std::all_of(latest.begin(), latest.end(), [&](const history::Entry* e) { return e->event == event; });
    };
    notice.count = latest.size();
    if (all(history::Event::Plugged)) notice.kind = Notice::Kind::Connected;
    else if (all(history::Event::Unplugged)) notice.kind = Notice::Kind::Disconnected;
    else {
        notice.kind = Notice::Kind::Changes;
        notice.count = burst.size();
    }
    return notice;
}

}  // namespace

void Rule::Take(const std::vector<history::Entry>& entries, int32_t level, uint64_t now) {
    if (now < startedAt_ + kStartupSilence) return;
    std::erase_if(told_, [&](const auto& device) { return now - device.second >= kQuiet; });
    for (const history::Entry& entry : entries) {
        if (!Wanted(entry, level)) continue;
        if (auto told = told_.find(entry.device.key); told != told_.end()) {
            told->second = now;
            continue;
        }
        if (waiting_.empty()) firstAt_ = now;
        lastAt_ = now;
        waiting_.push_back(entry);
    }
}

std::optional<uint64_t> Rule::DueAt() const {
    if (waiting_.empty()) return std::nullopt;
    uint64_t due = std::min(lastAt_ + kGather, firstAt_ + kLongestWait);
    if (lastNoticeAt_) due = std::max(due, *lastNoticeAt_ + kLeastGap);
    return due;
}

std::optional<Notice> Rule::Flush(uint64_t now, bool optionsOpen) {
    const std::optional<uint64_t> due = DueAt();
    if (!due || now < *due) return std::nullopt;
    const std::vector<history::Entry> burst = std::move(waiting_);
    waiting_.clear();
    for (const history::Entry& entry : burst) told_[entry.device.key] = lastAt_;
    if (optionsOpen) return std::nullopt;
    lastNoticeAt_ = now;
    return Summarise(burst);
}

}  // namespace notices
