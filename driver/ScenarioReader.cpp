#include "driver/Scenario.h"

#include <algorithm>
#include <map>

#include "driver/Command.h"
#include "driver/Fields.h"
#include "driver/Layout.h"

namespace linsett {

namespace {

constexpr int kMaxTypeCode = 18;
constexpr int kMaxIcon = 24;  // 25 is the computer's own picture
constexpr int kMaxPorts = 15;

bool Reserved(const std::string& key) {
    std::string lower;
    for (char c : key) lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    return lower == "system" || lower == "computer";
}

class Reader {
public:
    explicit Reader(Problem& problem) : problem_(problem) {}

    bool Read(const json::Value& root, Scenario& out) {
        if (!ExpectObject(root, "the scenario", problem_)) return false;
        Fields top(root, "the scenario", problem_);
        if (const json::Value* computer = top.Object("computer", true)) ReadComputer(*computer, out.computer);
        top.Integer("light_period_ms", out.lightPeriodMs, 10, 10000, false);
        if (const json::Value* adapters = top.Array("adapters", true))
            for (const json::Value& item : adapters->items) ReadAdapter(item, out);
        ReadList(top.Array("hubs", false), out, kHub, true);
        ReadList(top.Array("devices", false), out, kDevice, true);
        ReadList(top.Array("disconnected", false), out, kDevice, false);
        if (const json::Value* timeline = top.Object("timeline", false)) ReadTimeline(*timeline, out);
        if (!top.Finish()) return false;
        return CheckTopology(out) && CheckTimeline(out);
    }

private:
    bool Ok() const { return problem_.message.empty(); }
    bool Fail(int line, const std::string& message) {
        if (Ok()) problem_ = Problem{line, message};
        return false;
    }

    void ReadComputer(const json::Value& value, ComputerEntry& out) {
        Fields f(value, "the computer", problem_);
        f.Text("name", out.name, kTextChars, true);
        f.Integer("severity", out.severity, 0, 4, false);
        f.Text("severity_text", out.severityText, kLongText, false);
        f.Integer("second_level", out.secondLevel, 0, 4, false);
        f.Text("status_text", out.statusText, kLongText, false);
        f.Text("advice_text", out.adviceText, kLongText, false);
        f.Finish();
    }

    bool Key(Fields& f, std::string& key) {
        f.Text("key", key, kNameChars, true);
        if (!f.Ok()) return false;
        int line = f.LineOf("key");
        if (key.empty() || key.find_first_of(" \t\r\n") != std::string::npos)
            return f.Fail(line, "key \"" + key + "\" must be one word");
        if (Reserved(key)) return f.Fail(line, "key \"" + key + "\" is reserved for the computer");
        if (!keys_.emplace(key, line).second)
            return f.Fail(line, "duplicate key \"" + key + "\" (first used on line " + std::to_string(keys_[key]) + ")");
        return true;
    }

    void ReadAdapter(const json::Value& value, Scenario& out) {
        if (!Ok() || !ExpectObject(value, "an adapter", problem_)) return;
        AdapterEntry adapter;
        adapter.line = value.line;
        Fields f(value, "an adapter", problem_);
        if (!Key(f, adapter.key)) return;
        f.Text("name", adapter.name, kNameChars, true);
        f.Flag("usb2", adapter.usb2);
        UnitEntry hub;
        if (const json::Value* root = f.Object("root_hub", true)) {
            hub.parent = adapter.key;
            hub.rootHub = true;
            ReadUnit(*root, hub, kHub, true);
        }
        if (f.Finish() && Ok()) {
            out.adapters.push_back(adapter);
            out.units.push_back(hub);
        }
    }

    void ReadList(const json::Value* list, Scenario& out, uint8_t kind, bool plugged) {
        if (!list) return;
        for (const json::Value& item : list->items) {
            if (!Ok()) return;
            UnitEntry unit;
            unit.plugged = plugged;
            ReadUnit(item, unit, kind, false);
            if (Ok()) out.units.push_back(unit);
        }
    }

    void ReadUnit(const json::Value& value, UnitEntry& unit, uint8_t kind, bool rootHub) {
        const char* what = kind == kHub ? (rootHub ? "a root hub" : "a hub") : "a device";
        if (!Ok() || !ExpectObject(value, what, problem_)) return;
        unit.kind = kind;
        unit.line = value.line;
        Fields f(value, what, problem_);
        if (!Key(f, unit.key)) return;
        if (!rootHub) {
            f.Text("parent", unit.parent, kNameChars, true);
            f.Integer("port", unit.port, 1, kMaxPorts, true);
            unit.parentLine = f.LineOf("parent");
            unit.portLine = f.LineOf("port");
        }
        f.Text("name", unit.name, kNameChars, true);
        f.Text("model", unit.model, kTextChars, false);
        f.Text("manufacturer", unit.manufacturer, kTextChars, false);
        f.Text("description", unit.description, kTextChars, false);
        f.Text("power", unit.power, kTextChars, false);
        f.Flag("self_powered", unit.selfPowered);
        f.TextOrNull("serial", unit.serial, kTextChars);
        f.Integer("type_code", unit.typeCode, 0, kMaxTypeCode, false);
        f.Flag("usb2", unit.usb2);
        f.Integer("severity", unit.severity, 0, 4, false);
        f.Text("severity_text", unit.severityText, kLongText, false);
        if (kind == kHub) {
            f.Integer("number", unit.number, 1, rootHub ? 26 : 255, true);
            // An external hub may offer no ports (a switch set to another computer); a root hub always has some.
            f.Integer("ports", unit.ports, rootHub ? 1 : 0, kMaxPorts, true);
            if (rootHub) f.Flag("dark", unit.dark);
        } else {
            f.Integer("icon", unit.icon, 0, kMaxIcon, false);
            f.Integer("icon_group", unit.iconGroup, 0, 6, false);
            f.Text("driver_provider", unit.driverProvider, kTextChars, false);
            f.Text("driver_date", unit.driverDate, kTextChars, false);
            f.Text("driver_version", unit.driverVersion, kTextChars, false);
            std::string activity = "idle";
            f.Text("activity", activity, kNameChars, false);
            if (f.Ok()) {
                if (activity == "steady") unit.activity = Pattern::Steady;
                else if (activity == "bursty") unit.activity = Pattern::Bursty;
                else if (activity == "idle") unit.activity = Pattern::Idle;
                else f.Fail(f.LineOf("activity"), "a device: \"activity\" must be steady, bursty or idle");
            }
        }
        f.Finish();
    }

    void ReadTimeline(const json::Value& value, Scenario& out) {
        Fields f(value, "the timeline", problem_);
        int loop = 0;
        f.Integer("loop_ms", loop, 0, 86400000, false);
        out.loopMs = static_cast<uint32_t>(loop);
        loopLine_ = f.LineOf("loop_ms");
        if (const json::Value* events = f.Array("events", true)) {
            for (const json::Value& item : events->items) {
                if (!Ok() || !ExpectObject(item, "a timeline event", problem_)) return;
                Fields e(item, "a timeline event", problem_);
                TimelineEvent event;
                int at = 0;
                e.Integer("at", at, 0, 86400000, true);
                e.Text("do", event.command, kLongText, true);
                event.at = static_cast<uint32_t>(at);
                event.line = e.LineOf("do");
                if (e.Finish()) out.timeline.push_back(event);
            }
        }
        f.Finish();
    }

    const UnitEntry* FindUnit(const Scenario& s, const std::string& key) const {
        for (const UnitEntry& unit : s.units)
            if (unit.key == key) return &unit;
        return nullptr;
    }

    bool CheckTopology(const Scenario& s) {
        std::map<std::pair<std::string, int>, const UnitEntry*> taken;
        for (const UnitEntry& unit : s.units) {
            if (unit.rootHub) continue;
            const UnitEntry* parent = FindUnit(s, unit.parent);
            if (!parent || parent->kind != kHub)
                return Fail(unit.parentLine, "\"" + unit.key + "\" is plugged into \"" + unit.parent +
                                                 "\", which is not a hub of this scenario");
            if (unit.port > parent->ports)
                return Fail(unit.portLine, "port " + std::to_string(unit.port) + " of hub \"" + parent->key +
                                               "\" does not exist: it has " + std::to_string(parent->ports) + " ports");
            if (!unit.plugged) continue;
            if (!parent->plugged)
                return Fail(unit.parentLine, "\"" + unit.key + "\" is plugged into the disconnected hub \"" +
                                                 parent->key + "\"");
            auto [place, fresh] = taken.emplace(std::make_pair(unit.parent, unit.port), &unit);
            if (!fresh)
                return Fail(unit.portLine, "port " + std::to_string(unit.port) + " of hub \"" + parent->key +
                                               "\" is already taken by \"" + place->second->key + "\"");
        }
        // A hub chain must end at a root hub, or it would hang below itself.
        for (const UnitEntry& unit : s.units) {
            const UnitEntry* step = &unit;
            for (size_t hops = 0; step && !step->rootHub; ++hops) {
                if (hops > s.units.size()) return Fail(unit.parentLine, "\"" + unit.key + "\" hangs below itself");
                step = FindUnit(s, step->parent);
            }
        }
        return true;
    }

    bool CheckTimeline(Scenario& s) {
        for (const TimelineEvent& event : s.timeline) {
            Command command;
            std::string reason;
            if (!ParseCommand(event.command, command, reason)) return Fail(event.line, "timeline: " + reason);
            if (!AllowedInTimeline(command.verb))
                return Fail(event.line, "timeline: \"" + event.command + "\" is a control command only");
            bool systemOk = command.verb == Verb::Severity;
            if (!command.key.empty() && !FindUnit(s, command.key) && !(systemOk && command.key == kSystemKey))
                return Fail(event.line, "timeline: unknown key \"" + command.key + "\"");
            if (!command.at.empty() && !keys_.count(command.at))
                return Fail(event.line, "timeline: unknown hub or adapter \"" + command.at + "\"");
        }
        std::stable_sort(s.timeline.begin(), s.timeline.end(),
                         [](const TimelineEvent& a, const TimelineEvent& b) { return a.at < b.at; });
        if (s.loopMs && !s.timeline.empty() && s.loopMs <= s.timeline.back().at)
            return Fail(loopLine_, "timeline: loop_ms must be later than the last event");
        return true;
    }

    Problem& problem_;
    std::map<std::string, int> keys_;
    int loopLine_ = 0;
};

}  // namespace

bool ReadScenario(std::string_view text, Scenario& out, Problem& problem) {
    out = Scenario{};
    json::Value root;
    if (!ParseDocument(text, root, problem)) return false;
    return Reader(problem).Read(root, out);
}

std::string DescribeProblem(std::string_view file, const Problem& problem) {
    std::string text(file);
    if (problem.line > 0) text += ", line " + std::to_string(problem.line);
    return text + ": " + problem.message;
}

}  // namespace linsett
