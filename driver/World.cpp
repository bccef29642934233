#include "driver/World.h"

#include <algorithm>

#include "driver/Layout.h"
#include "driver/Text.h"

namespace linsett {

void UserText::Set(std::u16string value) {
    text = std::move(value);
    size = static_cast<uint16_t>(2 * (text.size() + 1));
}

World::World(const Scenario& scenario) : scenario_(scenario) {
    Unit system;
    system.kind = kComputer;
    system.key = std::string(kSystemKey);
    system.severity = scenario.computer.severity;
    system.severityText = scenario.computer.severityText;
    system.icon = 25;
    units_.push_back(system);
    for (const UnitEntry& entry : scenario.units) {
        Unit unit;
        unit.entry = &entry;
        unit.kind = entry.kind;
        unit.key = entry.key;
        unit.parent = entry.parent;
        unit.port = entry.port;
        unit.plugged = entry.plugged;
        unit.severity = entry.severity;
        unit.severityText = entry.severityText;
        unit.pattern = entry.activity;
        // First sight of a unit: the user's fields start as the defaults.
        unit.name.Set(Widen(entry.name));
        unit.manufacturer.Set(Widen(entry.manufacturer));
        unit.description.Set(Widen(entry.description));
        if (entry.kind == kDevice) {
            unit.icon = entry.icon;
            unit.iconGroup = entry.iconGroup;
        }
        units_.push_back(unit);
    }
    for (int i = 0; i < static_cast<int>(units_.size()); ++i) {
        order_.push_back(i);
        index_.emplace(units_[i].key, i);
    }
}

int World::Find(std::string_view key) const {
    auto found = index_.find(key);
    return found == index_.end() ? -1 : found->second;
}

const AdapterEntry* World::FindAdapter(std::string_view key) const {
    for (const AdapterEntry& adapter : scenario_.adapters)
        if (adapter.key == key) return &adapter;
    return nullptr;
}

bool World::Connected(int index) const {
    for (size_t hops = 0; hops <= units_.size(); ++hops) {
        const Unit& unit = units_[index];
        if (!unit.entry || unit.entry->rootHub) return true;
        if (!unit.plugged) return false;
        index = Find(unit.parent);
        if (index < 0) return false;
    }
    return false;
}

bool World::Shown(int index) const {
    const Unit& unit = units_[index];
    return unit.kind == kComputer || (unit.kind == kDevice && Connected(index));
}

int World::Occupant(const std::string& hub, int port) const {
    for (size_t i = 0; i < units_.size(); ++i) {
        const Unit& unit = units_[i];
        if (unit.entry && !unit.entry->rootHub && unit.plugged && unit.parent == hub && unit.port == port)
            return static_cast<int>(i);
    }
    return -1;
}

int World::MonitorStart() const {
    for (int index : order_)
        if (Shown(index)) return index;
    return 0;
}

bool World::Move(int index, int delta) {
    if (index < 0 || index >= static_cast<int>(units_.size()) || !Shown(index)) return false;
    // The ring as the monitoring view walks it, from its start record.
    std::vector<int> ring = order_;
    std::rotate(ring.begin(), std::find(ring.begin(), ring.end(), MonitorStart()), ring.end());
    std::vector<int> shown;
    for (int i : ring)
        if (Shown(i)) shown.push_back(i);
    int from = static_cast<int>(std::find(shown.begin(), shown.end(), index) - shown.begin());
    int to = std::clamp(from + delta, 0, static_cast<int>(shown.size()) - 1);
    if (to == from) return false;
    ring.erase(std::find(ring.begin(), ring.end(), index));
    shown.erase(shown.begin() + from);
    auto place = to < static_cast<int>(shown.size()) ? std::find(ring.begin(), ring.end(), shown[to]) : ring.end();
    ring.insert(place, index);
    order_ = ring;
    return true;
}

std::vector<std::string> World::OrderKeys() const {
    std::vector<std::string> keys;
    for (int index : order_) keys.push_back(units_[index].key);
    return keys;
}

void World::SetOrder(const std::vector<std::string>& keys) {
    std::vector<int> order;
    std::vector<bool> placed(units_.size());
    auto place = [&](int index) {
        if (index < 0 || placed[index]) return;
        placed[index] = true;
        order.push_back(index);
    };
    for (const std::string& key : keys) place(Find(key));
    for (int index : order_) place(index);
    order_ = order;
}

int World::OverallSeverity(std::string* text) const {
    int worst = units_[0].severity;
    if (text) *text = units_[0].severityText;
    for (size_t i = 1; i < units_.size(); ++i) {
        if (units_[i].severity > worst && Connected(static_cast<int>(i))) {
            worst = units_[i].severity;
            if (text) *text = units_[i].entry->name + ": " + units_[i].severityText;
        }
    }
    return worst;
}

bool World::Below(int index, int hub) const {
    for (size_t hops = 0; index >= 0 && hops <= units_.size(); ++hops) {
        if (index == hub) return true;
        if (!units_[index].entry || units_[index].entry->rootHub) return false;
        index = Find(units_[index].parent);
    }
    return false;
}

std::string World::Plug(const Command& command) {
    int index = Find(command.key);
    Unit& unit = units_[index];
    if (unit.plugged) return "\"" + unit.key + "\" is already plugged in";
    std::string hubKey = command.at.empty() ? unit.parent : command.at;
    int port = command.at.empty() ? unit.port : command.port;
    if (const AdapterEntry* adapter = FindAdapter(hubKey)) {
        for (const Unit& candidate : units_)
            if (candidate.entry && candidate.entry->rootHub && candidate.parent == adapter->key) hubKey = candidate.key;
    }
    int hub = Find(hubKey);
    if (hub < 0 || units_[hub].kind != kHub) return "\"" + hubKey + "\" is not a hub or adapter";
    if (int ports = units_[hub].entry->ports; port > ports)
        return "hub \"" + hubKey + "\" has " + (ports ? "only " + std::to_string(ports) : std::string("no")) + " ports";
    if (!Connected(hub)) return "hub \"" + hubKey + "\" is not connected";
    if (Below(hub, index)) return "\"" + unit.key + "\" cannot be plugged into itself";
    int occupant = Occupant(hubKey, port);
    if (occupant >= 0)
        return "port " + std::to_string(port) + " of \"" + hubKey + "\" is taken by \"" + units_[occupant].key + "\"";
    unit.parent = hubKey;
    unit.port = port;
    unit.plugged = true;
    return {};
}

std::string World::Execute(const Command& command, Outcome& outcome) {
    outcome = Outcome{};
    int index = command.key.empty() ? -1 : Find(command.key);
    bool needsKey = command.verb == Verb::Plug || command.verb == Verb::Unplug || command.verb == Verb::Move || command.verb == Verb::Severity ||
                    command.verb == Verb::Text || command.verb == Verb::Status || command.verb == Verb::Activity;
    if (needsKey && index < 0) return "unknown key \"" + command.key + "\"";
    Unit* unit = index >= 0 ? &units_[index] : nullptr;
    bool removable = unit && unit->entry && !unit->entry->rootHub;
    switch (command.verb) {
    case Verb::Plug:
    case Verb::Unplug:
        if (!removable) return "\"" + command.key + "\" cannot be plugged or unplugged";
        if (command.verb == Verb::Plug) {
            std::string refusal = Plug(command);
            if (!refusal.empty()) return refusal;
        } else {
            if (!unit->plugged) return "\"" + command.key + "\" is not plugged in";
            unit->plugged = false;
        }
        outcome.rebuild = true;
        outcome.changeCode = kChangePlug;
        return {};
    case Verb::Move: {
        // Out of one port and into another within one change, as a quick hand does it.
        if (!removable) return "\"" + command.key + "\" cannot be moved";
        if (!unit->plugged) return "\"" + command.key + "\" is not plugged in";
        unit->plugged = false;
        std::string refusal = Plug(command);
        unit->plugged = true;
        if (!refusal.empty()) return refusal;
        outcome.rebuild = true;
        outcome.changeCode = kChangePlug;
        return {};
    }
    case Verb::Severity:
        unit->severity = command.level;
        unit->severityText = command.text;
        outcome.rebuild = true;
        outcome.changeCode = kChangeTexts;
        return {};
    case Verb::Text: {
        if (!unit->entry) return "the computer's texts are not the user's";
        UserText& field = command.field == TextField::Name           ? unit->name
                          : command.field == TextField::Manufacturer ? unit->manufacturer
                                                                     : unit->description;
        field.Set(Widen(command.text));
        outcome.rebuild = true;
        outcome.changeCode = kChangeTexts;
        return {};
    }
    case Verb::Status:
    case Verb::Activity:
        if (unit->kind != kDevice) return "\"" + command.key + "\" is not a device";
        if (command.verb == Verb::Status) {
            unit->heldStatus = command.level;
            unit->status = command.level;
        } else {
            unit->heldStatus = -1;
            unit->pattern = command.pattern;
        }
        return {};
    case Verb::Change:
        outcome.rebuild = true;
        outcome.changeCode = static_cast<uint8_t>(command.level);
        return {};
    case Verb::FailNextRestart:
        outcome.failNextRestart = true;
        return {};
    case Verb::LowMemory:
        outcome.lowMemory = command.level;
        return {};
    case Verb::Dump:
        outcome.dump = true;
        return {};
    case Verb::Generations:
        outcome.generations = true;
        return {};
    case Verb::Looks:
        outcome.looks = true;
        return {};
    }
    return "unknown command";
}

bool World::StepActivity() {
    auto next = [this](uint32_t range) {
        random_ = random_ * 1103515245u + 12345u;
        return (random_ >> 16) % range;
    };
    bool changed = false;
    for (size_t i = 0; i < units_.size(); ++i) {
        Unit& unit = units_[i];
        if (unit.kind != kDevice || !Connected(static_cast<int>(i))) continue;
        int status = unit.heldStatus;
        if (status < 0) {
            switch (unit.pattern) {
            case Pattern::Idle: status = 0; break;
            case Pattern::Steady: status = 2 + static_cast<int>(next(2)); break;
            case Pattern::Bursty:
                if (unit.burst == 0 && next(5) == 0) unit.burst = 2 + static_cast<int>(next(5));
                status = unit.burst > 0 ? 3 + static_cast<int>(next(2)) : static_cast<int>(next(2));
                if (unit.burst > 0) --unit.burst;
                break;
            }
        }
        changed |= status != unit.status;
        unit.status = status;
    }
    return changed;
}

std::string World::Dump() const {
    std::vector<int> ring = order_;
    std::rotate(ring.begin(), std::find(ring.begin(), ring.end(), MonitorStart()), ring.end());
    std::string text;
    for (size_t i = 0; i < units_.size(); ++i) {
        int position = static_cast<int>(std::find(ring.begin(), ring.end(), static_cast<int>(i)) - ring.begin());
        const Unit& unit = units_[i];
        text += unit.key + " connected=" + (Connected(static_cast<int>(i)) ? "yes" : "no") +
                " severity=" + std::to_string(unit.severity) + " status=" + std::to_string(unit.status) +
                " position=" + std::to_string(position) + "\n";
    }
    return text;
}

}  // namespace linsett
