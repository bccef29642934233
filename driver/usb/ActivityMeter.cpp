#include "driver/usb/ActivityMeter.h"

#include <algorithm>
#include <atomic>
#include <cstring>

#include "driver/Text.h"

namespace linsett::usb {

namespace {

using capture::ActivitySection;

// Bytes per second at which levels 2, 3 and 4 begin, each 40 times the last: a mouse or a
// keyboard stays at 1 (a fast gaming mouse reaches 2), sound at 2, a full-speed device flat
// out (about 1 MB/s) or a compressed webcam stream at 3, an uncompressed or high-definition
// camera and a disk copying at high speed (about 40 MB/s) at 4.
constexpr uint64_t kLevelSteps[] = {5'000, 200'000, 8'000'000};

constexpr std::u16string_view kPathPrefixes[] = {u"\\??\\", u"\\\\.\\", u"\\\\?\\"};

}  // namespace

int ActivityLevel(uint64_t bytes, uint64_t ms) {
    if (bytes == 0) return 0;
    const uint64_t perSecond = bytes * 1000 / std::max<uint64_t>(ms, 1);
    int level = 1;
    for (uint64_t step : kLevelSteps) level += perSecond >= step;
    return level;
}

std::u16string HubPathKey(std::u16string_view path) {
    for (std::u16string_view prefix : kPathPrefixes) {
        if (path.substr(0, prefix.size()) == prefix) {
            path.remove_prefix(prefix.size());
            break;
        }
    }
    std::u16string key(path);
    for (char16_t& c : key)
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    return key;
}

// The section is another process's memory: each field is read once, and nothing it says is
// believed beyond what the layout allows.
ActivityMeter::Counts ActivityMeter::Look(const ActivitySection* section, uint64_t nowMs,
                                          const std::vector<Target>& targets, std::vector<int>& levels) {
    levels.assign(targets.size(), 0);
    Counts counts = Counts::Fresh;
    if (!section) {
        counts = Counts::Absent;
    } else if (section->magic != capture::kSectionMagic || section->version != capture::kSectionVersion) {
        counts = Counts::NotReady;
    } else {
        const uint32_t beat = section->beat;
        if (!beatSeen_ || beat != beat_) beatMovedMs_ = nowMs;
        beatSeen_ = true;
        beat_ = beat;
        if (nowMs - beatMovedMs_ > kStaleMs) counts = Counts::Stale;
    }
    if (counts != Counts::Fresh) {
        if (counts != Counts::Stale) beatSeen_ = false;
        baselines_.clear();
        return counts;
    }
    const uint32_t hubCount = std::min<uint32_t>(section->hubCount, capture::kMaxHubs);
    std::atomic_thread_fence(std::memory_order_acquire);  // a hub's entry is filled before hubCount counts it
    std::vector<std::u16string> hubs(hubCount);
    for (uint32_t i = 0; i < hubCount; ++i) {
        char16_t path[capture::kHubPathChars];
        std::memcpy(path, section->hubs[i].hubPath, sizeof path);
        const char16_t* end = std::find(path, path + capture::kHubPathChars, u'\0');
        if (end != path + capture::kHubPathChars) hubs[i] = HubPathKey({path, static_cast<size_t>(end - path)});
    }
    std::map<Key, Baseline> next;
    const std::string* keyed = nullptr;  // devices come hub by hub: each path is made a key once
    std::u16string hubKey;
    for (size_t t = 0; t < targets.size(); ++t) {
        const Target& target = targets[t];
        if (!target.address || target.address >= capture::kAddresses) continue;
        if (!keyed || *keyed != target.hub) hubKey = HubPathKey(Widen(*(keyed = &target.hub)));
        Key key{hubKey, target.address};
        auto hub = key.first.empty() ? hubs.end() : std::find(hubs.begin(), hubs.end(), key.first);
        if (hub == hubs.end()) continue;
        const uint32_t bytes = section->hubs[hub - hubs.begin()].bytes[target.address];
        // A baseline from before a pause (the lights were off) says nothing about now.
        auto before = baselines_.find(key);
        if (before != baselines_.end() && nowMs - before->second.atMs <= kStaleMs)
            levels[t] = ActivityLevel(static_cast<uint32_t>(bytes - before->second.bytes), nowMs - before->second.atMs);
        next[key] = {bytes, nowMs};
    }
    baselines_ = std::move(next);
    return counts;
}

}  // namespace linsett::usb
