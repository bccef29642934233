#pragma once
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

class DeviceNode;
class DeviceTree;

// What happened to the devices, and when: every change the library tells the program of,
// kept by device key. Plain values, so an entry outlives the handles of its generation.
// Texts are held as the records carry them, in the system (ANSI) code page.
namespace history {

enum class Event : uint8_t { Plugged, Unplugged, Moved, Health, Renamed, Restarted };

// "plugged", "unplugged", "moved", "health", "renamed", "restarted": the words the history
// file and the report use.
const char* EventWord(Event event);

// Times as FILETIME counts (100 ns since 1601): the UTC time and the local time it was.
struct Stamp {
    uint64_t utc = 0;
    uint64_t local = 0;
};
Stamp Now();

// A device as one generation of the topology showed it.
struct DeviceState {
    std::string key;   // the record's key name: the device across runs
    std::string name;  // the name the program shows
    uint8_t kind = 0;  // the record's kind
    uint8_t severity = 0;
    bool connected = false;
    std::string hub;   // the upstream hub's name
    std::string port;  // the port designation on that hub
    int icon = 0;
    int iconGroup = 0;
};
using Snapshot = std::vector<DeviceState>;

// Every device and hub record of the current generation, along ring link A.
Snapshot TakeSnapshot(DeviceTree& tree);
DeviceState StateOf(const DeviceNode& record);

struct Entry {
    Stamp time;
    Event event = Event::Plugged;
    DeviceState device;            // as it is after the change (for "unplugged", as it was)
    std::string oldName;           // renamed: the name before
    std::string oldHub, oldPort;   // moved: where it was
    uint8_t oldSeverity = 0;       // health: the severity before
};

// The changes between two generations. A new library run (change code 2) is one "restarted"
// entry, not every device unplugged and plugged again.
std::vector<Entry> Compare(const Snapshot& before, const Snapshot& after, uint8_t changeCode, Stamp time);

// The last kMaxEntries entries, oldest first; older ones are dropped first.
class Log {
public:
    static constexpr size_t kMaxEntries = 1000;
    void Add(Entry entry);
    const std::deque<Entry>& Entries() const { return entries_; }

private:
    std::deque<Entry> entries_;
};

}  // namespace history
