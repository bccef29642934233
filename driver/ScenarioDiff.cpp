#include "driver/ScenarioDiff.h"

#include <map>
#include <string>
#include <tuple>

namespace linsett {

namespace {

// Where each unit sits: any difference is a plug or an unplug for the program.
auto Places(const Scenario& scenario) {
    std::map<std::string, std::tuple<std::string, int, bool>> places;
    for (const UnitEntry& unit : scenario.units) places[unit.key] = {unit.parent, unit.port, unit.plugged};
    for (const AdapterEntry& adapter : scenario.adapters) places[adapter.key] = {};
    return places;
}

// What the program shows of a unit that stays where it is, and where its traffic is counted:
// a device replugged between two looks comes back at a new bus address.
auto Looks(const UnitEntry& u) {
    return std::tie(u.name, u.model, u.manufacturer, u.description, u.power, u.selfPowered, u.serial, u.typeCode,
                    u.usb2, u.severity, u.severityText, u.number, u.ports, u.dark, u.icon, u.iconGroup,
                    u.driverProvider, u.driverDate, u.driverVersion, u.busHub, u.busAddress);
}

auto Looks(const ComputerEntry& c) {
    return std::tie(c.name, c.severity, c.severityText, c.secondLevel, c.statusText, c.adviceText);
}

}  // namespace

Difference Compare(const Scenario& before, const Scenario& after) {
    if (Places(before) != Places(after)) return Difference::Plug;
    if (Looks(before.computer) != Looks(after.computer)) return Difference::Status;
    for (size_t i = 0; i < after.adapters.size(); ++i)
        if (std::tie(before.adapters[i].name, before.adapters[i].usb2) != std::tie(after.adapters[i].name, after.adapters[i].usb2))
            return Difference::Status;
    std::map<std::string, const UnitEntry*> old;
    for (const UnitEntry& unit : before.units) old[unit.key] = &unit;
    for (const UnitEntry& unit : after.units)
        if (Looks(*old[unit.key]) != Looks(unit)) return Difference::Status;
    return Difference::None;
}

}  // namespace linsett
