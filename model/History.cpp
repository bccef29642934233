// temporary: replaced by the history core
#include "model/History.h"

#include <windows.h>

namespace history {

const char* EventWord(Event event) {
    static const char* const words[] = {"plugged", "unplugged", "moved", "health", "renamed", "restarted"};
    return words[static_cast<int>(event)];
}

Stamp Now() {
    FILETIME utc{}, local{};
    GetSystemTimeAsFileTime(&utc);
    FileTimeToLocalFileTime(&utc, &local);
    return {(uint64_t(utc.dwHighDateTime) << 32) | utc.dwLowDateTime,
            (uint64_t(local.dwHighDateTime) << 32) | local.dwLowDateTime};
}

Snapshot TakeSnapshot(DeviceTree&) { return {}; }
std::vector<Entry> Compare(const Snapshot&, const Snapshot&, uint8_t, Stamp) { return {}; }

void Log::Add(Entry entry) {
    entries_.push_back(std::move(entry));
    if (entries_.size() > kMaxEntries) entries_.pop_front();
}

}  // namespace history
