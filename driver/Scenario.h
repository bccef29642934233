#pragma once
// A scenario: the simulated computer, its adapters, hubs and devices and a timeline.
// Texts are UTF-8; lengths are checked in UTF-16 units, as the records hold them.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace linsett {

// The longest severity, status and advice texts, in UTF-16 units, as the records hold them.
constexpr size_t kLongText = 255;

enum class Pattern : uint8_t { Steady, Bursty, Idle };

struct ComputerEntry {
    std::string name;
    int severity = 0;
    std::string severityText;
    int secondLevel = 0;
    std::string statusText;
    std::string adviceText;
};

struct AdapterEntry {
    std::string key;
    std::string name;
    bool usb2 = true;
    int line = 0;
};

// One hub or device: everything that gets a record.
struct UnitEntry {
    uint8_t kind = 0;  // kHub or kDevice
    std::string key;
    int line = 0;
    // Where it is (or was last) plugged in: a hub key, or an adapter key for a root hub.
    std::string parent;
    int port = 0;
    int parentLine = 0;
    int portLine = 0;
    bool plugged = true;
    bool rootHub = false;

    std::string name, model, manufacturer, description, power;
    bool selfPowered = false;
    std::optional<std::string> serial;
    int typeCode = 0;
    bool usb2 = true;
    int severity = 0;
    std::string severityText;

    // Hubs.
    int number = 0;
    int ports = 0;
    bool dark = false;

    // Devices.
    int icon = 16;
    int iconGroup = 0;
    std::string driverProvider, driverDate, driverVersion;
    Pattern activity = Pattern::Idle;
    // Where a real device's traffic is counted: its root hub's device path and its bus
    // address (0: not measured).
    std::string busHub;
    uint16_t busAddress = 0;
};

struct TimelineEvent {
    uint32_t at = 0;
    std::string command;
    int line = 0;
};

struct Scenario {
    ComputerEntry computer;
    std::vector<AdapterEntry> adapters;
    std::vector<UnitEntry> units;  // root hubs, hubs, devices, disconnected devices
    int lightPeriodMs = 100;
    std::vector<TimelineEvent> timeline;
    uint32_t loopMs = 0;  // 0: the timeline runs once
};

struct Problem {
    int line = 0;
    std::string message;
};

// The key of the system record; no hub or device may take it, nor "System".
inline constexpr std::string_view kSystemKey = "Computer";

bool ReadScenario(std::string_view text, Scenario& out, Problem& problem);

// "file, line N: message", as the user sees it.
std::string DescribeProblem(std::string_view file, const Problem& problem);

}  // namespace linsett
