#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "model/History.h"

// Which changes become a balloon in the notification area, and when. A notice is a courtesy:
// a burst of changes (a hub and its devices, a device that flaps, a storm of health changes)
// is told once, never more often than a person can read, and never while the user is
// setting the program up.
namespace notices {

// The user's "Notifications": zero or less none, 1 serious failures only, anything higher
// every change.
constexpr int32_t kNone = 0, kFailuresOnly = 1, kEveryChange = 2;

struct Notice {
    enum class Kind : uint8_t { One, Connected, Disconnected, Changes };
    Kind kind = Kind::One;
    history::Entry entry;  // One: the change to tell, the device's latest in the burst
    size_t count = 0;      // Connected and Disconnected: the devices; Changes: the changes
    uint8_t worst = 0;     // the highest severity a health change of the burst brought
};

// Times are milliseconds of one steady clock.
class Rule {
public:
    explicit Rule(uint64_t startedAt) : startedAt_(startedAt) {}

    // The changes that just arrived; those `level` asks to be told of wait for a notice.
    void Take(const std::vector<history::Entry>& entries, int32_t level, uint64_t now);
    // When the waiting changes are due as a notice; nothing while none wait.
    std::optional<uint64_t> DueAt() const;
    // Once due: the notice of the waiting changes, which stop waiting. While the options
    // dialog is open they are dropped instead.
    std::optional<Notice> Flush(uint64_t now, bool optionsOpen);

private:
    uint64_t startedAt_;
    std::vector<history::Entry> waiting_;
    uint64_t firstAt_ = 0, lastAt_ = 0;
    std::optional<uint64_t> lastNoticeAt_;
    std::map<std::string, uint64_t> told_;  // device key: its last change, while a notice of it is recent
};

}  // namespace notices
