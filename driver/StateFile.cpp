#include "driver/StateFile.h"

#include <cstdio>
#include <map>
#include <optional>

#include "driver/Fields.h"
#include "driver/Json.h"
#include "driver/Layout.h"
#include "driver/Text.h"

namespace linsett {

namespace {

constexpr int kVersion = 1;

std::string Quote(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned char>(c));
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

struct SavedUnit {
    std::optional<std::string> name, manufacturer, description;
    int icon = -1, iconGroup = -1;
};

std::string RecordText(const SavedUnit& unit) {
    auto text = [](const std::optional<std::string>& field) { return field ? Quote(*field) : "null"; };
    return "{\"name\": " + text(unit.name) + ", \"manufacturer\": " + text(unit.manufacturer) +
           ", \"description\": " + text(unit.description) + ", \"icon\": " + std::to_string(unit.icon) +
           ", \"icon_group\": " + std::to_string(unit.iconGroup) + "}";
}

void ApplyUserText(const std::optional<std::string>& saved, UserText& field) {
    if (saved) field.Set(Widen(*saved));
    else field = UserText{};
}

}  // namespace

std::string WriteState(const World& world) {
    std::string text = "{\n  \"version\": " + std::to_string(kVersion) + ",\n";
    text += "  \"light\": " + std::to_string(world.lightSwitch) + ",\n  \"order\": [";
    std::vector<std::string> order = world.OrderKeys();
    for (size_t i = 0; i < order.size(); ++i) text += (i ? ", " : "") + Quote(order[i]);
    text += "],\n  \"records\": {";
    std::vector<std::pair<std::string, std::string>> records;
    auto userText = [](const UserText& field) {
        return field.size == 0 ? std::nullopt : std::optional<std::string>(Narrow(field.text));
    };
    for (const Unit& unit : world.units()) {
        if (!unit.entry) continue;
        SavedUnit saved{userText(unit.name), userText(unit.manufacturer), userText(unit.description), unit.icon,
                        unit.iconGroup};
        records.emplace_back(unit.key, RecordText(saved));
    }
    records.insert(records.end(), world.otherRecords.begin(), world.otherRecords.end());
    for (size_t i = 0; i < records.size(); ++i)
        text += (i ? ",\n    " : "\n    ") + Quote(records[i].first) + ": " + records[i].second;
    return text + "\n  }\n}\n";
}

bool ReadState(std::string_view text, World& world, Problem& problem) {
    json::Value root;
    if (!ParseDocument(text, root, problem)) return false;
    if (!ExpectObject(root, "the state", problem)) return false;
    Fields top(root, "the state", problem);
    int version = 0, light = 0;
    top.Integer("version", version, kVersion, kVersion, true);
    top.Integer("light", light, 0, 255, true);
    std::vector<std::string> order;
    if (const json::Value* list = top.Array("order", true)) {
        for (const json::Value& item : list->items) {
            if (item.type != json::Type::String) return top.Fail(item.line, "the order holds a non-text entry");
            order.push_back(item.text);
        }
    }
    // Everything is read before anything is applied, so a damaged file changes nothing.
    std::map<std::string, SavedUnit> saved;
    if (const json::Value* records = top.Object("records", true)) {
        for (const auto& [key, value] : records->members) {
            if (!ExpectObject(value, "a saved record", problem)) return false;
            Fields f(value, "a saved record", problem);
            SavedUnit& unit = saved[key];
            f.TextOrNull("name", unit.name, kNameChars);
            f.TextOrNull("manufacturer", unit.manufacturer, kTextChars);
            f.TextOrNull("description", unit.description, kTextChars);
            f.Integer("icon", unit.icon, 0, 0x3FF, true);
            f.Integer("icon_group", unit.iconGroup, 0, 15, true);
            if (!f.Finish()) return false;
        }
    }
    if (!top.Finish()) return false;

    world.lightSwitch = light;
    world.SetOrder(order);
    world.otherRecords.clear();
    for (const auto& [key, stored] : saved) {
        int index = world.Find(key);
        if (index < 0) world.otherRecords.emplace_back(key, RecordText(stored));
        if (index <= 0) continue;
        Unit& unit = world.unit(index);
        ApplyUserText(stored.name, unit.name);
        ApplyUserText(stored.manufacturer, unit.manufacturer);
        ApplyUserText(stored.description, unit.description);
        if (unit.kind == kDevice) {
            unit.icon = stored.icon;
            unit.iconGroup = stored.iconGroup;
        }
    }
    return true;
}

}  // namespace linsett
