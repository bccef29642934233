#pragma once
// The simulated hardware as it stands: what is plugged where, severities, activity, the
// user's texts and the monitoring order. Pure; the publisher turns it into structures.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "driver/Command.h"
#include "driver/Scenario.h"

namespace linsett {

// A user text as a record holds it: size in bytes with the terminator, 0 = none.
struct UserText {
    uint16_t size = 0;
    std::u16string text;
    void Set(std::u16string value);
};

struct Unit {
    const UnitEntry* entry = nullptr;  // null for the system record
    uint8_t kind = 0;
    std::string key;
    std::string parent;
    int port = 0;
    bool plugged = true;
    int severity = 0;
    std::string severityText;
    int status = 0;
    int heldStatus = -1;  // -1: the activity pattern decides
    int burst = 0;        // ticks left in a burst of the bursty pattern
    Pattern pattern = Pattern::Idle;
    UserText name, manufacturer, description;
    int icon = 0;
    int iconGroup = 0;
};

// What a command asks of the library beyond the world itself.
struct Outcome {
    bool rebuild = false;
    uint8_t changeCode = 0;
    bool failNextRestart = false;
    int lowMemory = -1;  // 1 on, 0 off, -1 unchanged
    bool dump = false;
    bool generations = false;
    bool looks = false;
};

// Change codes the library uses for its own changes: 0 keeps the selection.
constexpr uint8_t kChangeTexts = 0;
constexpr uint8_t kChangePlug = 1;

class World {
public:
    explicit World(const Scenario& scenario);

    const Scenario& scenario() const { return scenario_; }
    const std::vector<Unit>& units() const { return units_; }
    Unit& unit(int index) { return units_[index]; }
    int Find(std::string_view key) const;  // -1 when unknown
    const AdapterEntry* FindAdapter(std::string_view key) const;

    bool Connected(int index) const;
    bool Shown(int index) const;  // shown in the monitoring view: the system and connected devices
    int Occupant(const std::string& hub, int port) const;  // connected unit at the port, or -1

    // The monitoring order (ring link A) and the record the monitoring view starts at.
    const std::vector<int>& monitorOrder() const { return order_; }
    int MonitorStart() const;
    // Moves a shown unit by delta places among the shown units (negative: to the front);
    // false when nothing moved.
    bool Move(int index, int delta);
    std::vector<std::string> OrderKeys() const;
    void SetOrder(const std::vector<std::string>& keys);  // unknown keys skipped, the rest kept after

    // The worst severity of the computer and what is connected, and its text.
    int OverallSeverity(std::string* text) const;

    // Empty on success, else the reason the command was refused.
    std::string Execute(const Command& command, Outcome& outcome);
    // One tick of bus activity; true when a status code changed.
    bool StepActivity();
    std::string Dump() const;

    int lightSwitch = 0;  // the system record's byte 0x02
    // Saved records of units this scenario lacks (the state file serves every scenario),
    // by key, as JSON text: written back as they came.
    std::vector<std::pair<std::string, std::string>> otherRecords;

private:
    std::string Plug(const Command& command);
    bool Below(int index, int hub) const;  // index is hub or hangs below it

    const Scenario& scenario_;
    std::vector<Unit> units_;  // the system record first, then the scenario's units
    // Unit indices by key: a state file may name thousands of keys.
    struct KeyHash {
        using is_transparent = void;
        size_t operator()(std::string_view key) const { return std::hash<std::string_view>{}(key); }
    };
    std::unordered_map<std::string, int, KeyHash, std::equal_to<>> index_;
    std::vector<int> order_;
    uint32_t random_ = 0x1234567;
};

}  // namespace linsett
