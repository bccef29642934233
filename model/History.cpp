// Temporary: the smallest history, until the history core replaces this file.
#include "model/History.h"

#include <windows.h>

#include <algorithm>

#include "model/DeviceNode.h"
#include "model/DeviceTree.h"

namespace history {

const char* EventWord(Event event) {
    static const char* const words[] = {"plugged", "unplugged", "moved", "health", "renamed", "restarted"};
    return words[static_cast<int>(event)];
}

Stamp Now() {
    FILETIME utc{}, local{};
    GetSystemTimeAsFileTime(&utc);
    FileTimeToLocalFileTime(&utc, &local);
    auto count = [](FILETIME t) { return (uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return {count(utc), count(local)};
}

Snapshot TakeSnapshot(DeviceTree& tree) {
    Snapshot snapshot;
    tree.WalkRing(DeviceTree::Link::A, [&](DeviceNode& record) {
        if (record.IsSystem()) return;
        snapshot.push_back({record.KeyName().Chars(), record.Name().Chars(), record.Kind(), record.Severity(),
                            record.IsConnected(), record.UpstreamName().Chars(), record.PortDesignation().Chars(),
                            record.IconNumber(), record.IconGroup()});
    });
    return snapshot;
}

std::vector<Entry> Compare(const Snapshot& before, const Snapshot& after, uint8_t changeCode, Stamp time) {
    std::vector<Entry> entries;
    auto add = [&](Event event, const DeviceState& device) {
        Entry& entry = entries.emplace_back();
        entry.time = time;
        entry.event = event;
        entry.device = device;
    };
    if (changeCode == 2) {
        add(Event::Restarted, {});
        return entries;
    }
    for (const DeviceState& now : after) {
        auto was = std::find_if(before.begin(), before.end(), [&](const DeviceState& d) { return d.key == now.key; });
        const bool wasConnected = was != before.end() && was->connected;
        if (now.connected && !wasConnected) add(Event::Plugged, now);
        else if (!now.connected && wasConnected) add(Event::Unplugged, *was);
        else if (now.connected && (was->hub != now.hub || was->port != now.port)) add(Event::Moved, now);
        if (now.connected && wasConnected && was->severity != now.severity) add(Event::Health, now);
    }
    for (const DeviceState& was : before)
        if (was.connected &&
            std::none_of(after.begin(), after.end(), [&](const DeviceState& d) { return d.key == was.key; }))
            add(Event::Unplugged, was);
    return entries;
}

void Log::Add(Entry entry) {
    entries_.push_back(std::move(entry));
    if (entries_.size() > kMaxEntries) entries_.pop_front();
}

}  // namespace history
