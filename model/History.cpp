#include "model/History.h"

#include <windows.h>

#include <map>
#include <utility>

#include "model/DeviceNode.h"
#include "model/DeviceTree.h"

namespace history {

namespace {

// The library tells a new run of itself (a restart, a rescan from scratch) by this code.
constexpr uint8_t kChangeNewRun = 2;

uint64_t Count(const FILETIME& time) { return (uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime; }

Entry Make(Event event, const DeviceState& device, Stamp time) {
    Entry entry;
    entry.time = time;
    entry.event = event;
    entry.device = device;
    return entry;
}

}  // namespace

const char* EventWord(Event event) {
    switch (event) {
    case Event::Plugged: return "plugged";
    case Event::Unplugged: return "unplugged";
    case Event::Moved: return "moved";
    case Event::Health: return "health";
    case Event::Renamed: return "renamed";
    case Event::Restarted: return "restarted";
    }
    return "";
}

Stamp Now() {
    FILETIME utc{}, local{};
    GetSystemTimeAsFileTime(&utc);
    if (!FileTimeToLocalFileTime(&utc, &local)) local = utc;
    return {Count(utc), Count(local)};
}

DeviceState StateOf(const DeviceNode& record) {
    DeviceState state;
    state.key = record.KeyName().Chars();
    state.name = record.Name().Chars();
    state.kind = record.Kind();
    state.severity = record.Severity();
    state.connected = record.IsConnected();
    state.hub = record.UpstreamName().Chars();
    state.port = record.PortDesignation().Chars();
    state.icon = record.IconNumber();
    state.iconGroup = record.IconGroup();
    return state;
}

Snapshot TakeSnapshot(DeviceTree& tree) {
    Snapshot snapshot;
    tree.WalkRing(DeviceTree::Link::A, [&](DeviceNode& record) {
        if (record.IsDevice() || record.IsHub()) snapshot.push_back(StateOf(record));
    });
    return snapshot;
}

std::vector<Entry> Compare(const Snapshot& before, const Snapshot& after, uint8_t changeCode, Stamp time) {
    if (changeCode == kChangeNewRun) return {Make(Event::Restarted, DeviceState{}, time)};
    std::map<std::string, const DeviceState*> old;
    for (const DeviceState& state : before) old.emplace(state.key, &state);

    std::vector<Entry> entries;
    for (const DeviceState& now : after) {
        auto found = old.find(now.key);
        const DeviceState* was = found == old.end() ? nullptr : found->second;
        if (was) old.erase(found);
        // A name the user gave elsewhere (another tool on the library) shows up at a change.
        if (was && now.name != was->name) {
            entries.emplace_back(Make(Event::Renamed, now, time)).oldName = was->name;
        }
        if (!was || !was->connected) {
            if (now.connected) entries.push_back(Make(Event::Plugged, now, time));
            continue;
        }
        if (!now.connected) {
            entries.push_back(Make(Event::Unplugged, *was, time));  // a record without its node tells less
            continue;
        }
        if (now.hub != was->hub || now.port != was->port) {
            Entry& entry = entries.emplace_back(Make(Event::Moved, now, time));
            entry.oldHub = was->hub;
            entry.oldPort = was->port;
        }
        if (now.severity != was->severity) {
            entries.emplace_back(Make(Event::Health, now, time)).oldSeverity = was->severity;
        }
    }
    // Records the library no longer publishes at all: gone while connected is unplugged.
    for (const DeviceState& gone : before) {
        if (gone.connected && old.count(gone.key)) entries.push_back(Make(Event::Unplugged, gone, time));
    }
    return entries;
}

void Log::Add(Entry entry) {
    entries_.push_back(std::move(entry));
    while (entries_.size() > kMaxEntries) entries_.pop_front();
}

}  // namespace history
