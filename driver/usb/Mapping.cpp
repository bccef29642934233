#include "driver/usb/Mapping.h"

#include <algorithm>
#include <cstdio>

#include "driver/Layout.h"
#include "driver/Text.h"
#include "driver/usb/Classify.h"
#include "driver/usb/Words.h"

namespace linsett::usb {

namespace {

constexpr int kMaxPorts = 15;      // ports a hub shows
constexpr int kMaxRootHubs = 26;   // root hubs are lettered
constexpr int kMaxHubNumber = 255;

std::string Hex4(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", value & 0xFFFF);
    return text;
}

bool Occupied(const PortFacts& port) { return port.connection != Connection::NoDevice; }

// The shown position of each of hub.ports (0: not shown). Ports up to the shown count keep
// their numbers; an occupied port beyond it takes the highest free position left.
std::vector<int> Positions(const HubFacts& hub, int shown) {
    std::vector<int> positions(hub.ports.size(), 0);
    std::vector<bool> used(shown + 1, false);
    for (size_t i = 0; i < hub.ports.size(); ++i) {
        int number = hub.ports[i].number;
        if (number >= 1 && number <= shown && !used[number] && Occupied(hub.ports[i])) {
            positions[i] = number;
            used[number] = true;
        }
    }
    int free = shown;
    for (size_t i = 0; i < hub.ports.size(); ++i) {
        if (!Occupied(hub.ports[i]) || positions[i] || hub.ports[i].number <= shown) continue;
        while (free >= 1 && used[free]) --free;
        if (free < 1) break;
        positions[i] = free;
        used[free] = true;
    }
    return positions;
}

// The serial that names this very device: its serial string, else the last part of its
// instance id when Windows took that from the device (an id it made up has '&' in it).
std::string Serial(const PortFacts& port) {
    if (port.serial) {
        std::string serial = Narrow(Trimmed(*port.serial));
        if (!serial.empty()) return serial;
    }
    const std::string& id = port.device.instanceId;
    size_t slash = id.rfind('\\');
    if (slash == std::string::npos || slash + 1 == id.size()) return {};
    std::string last = id.substr(slash + 1);
    return last.find('&') == std::string::npos ? last : std::string();
}

class Mapper {
public:
    explicit Mapper(const Snapshot& snapshot) : snapshot_(snapshot) {}

    Scenario Run() {
        for (const ControllerFacts& controller : snapshot_.controllers) {
            if (!controller.rootHub) {
                ++unreadControllers_;
            } else if (out_.adapters.size() == kMaxRootHubs) {
                ++extraControllers_;
            } else {
                MapController(controller);
            }
        }
        Summarise();
        return std::move(out_);
    }

private:
    UnitEntry& Add(uint8_t kind, std::string key, std::string parent, int port, const Health& health) {
        UnitEntry& unit = out_.units.emplace_back();
        unit.kind = kind;
        unit.key = std::move(key);
        unit.parent = std::move(parent);
        unit.port = port;
        unit.severity = health.severity;
        unit.severityText = Clip(health.Joined(), kLongText);
        health_.push_back(health);
        return unit;
    }

    void MapController(const ControllerFacts& controller) {
        const DeviceFacts& device = controller.device;
        const HubFacts& root = *controller.rootHub;
        int number = static_cast<int>(out_.adapters.size()) + 1;
        std::string id = device.instanceId.empty() ? "controller-" + std::to_string(number) : device.instanceId;
        AdapterEntry& adapter = out_.adapters.emplace_back();
        adapter.key = keys_.Take(id);
        std::u16string name = Trimmed(device.friendlyName);
        adapter.name = Clip(name.empty() ? u"USB Host Controller" : name, kNameChars, true);
        adapter.usb2 = controller.programmingInterface >= 0x20;  // EHCI, xHCI

        Health health = ControllerHealth(device);
        if (!root.complete && health.severity < 3) health = UnreadHub();
        UnitEntry& hub = Add(kHub, keys_.Take(id + "-root-hub"), adapter.key, 0, health);
        hub.rootHub = true;
        hub.name = "Root Hub " + std::string(1, static_cast<char>('A' + number - 1));
        hub.description = Clip(RootDescription(controller.programmingInterface), kTextChars);
        hub.manufacturer = Clip(device.driverProvider, kTextChars);
        hub.power = "Supplied by the computer";
        hub.selfPowered = true;
        hub.typeCode = 2;
        hub.usb2 = adapter.usb2;
        hub.dark = !adapter.usb2;  // the dark plate tells the slow controllers apart
        hub.number = number;
        hub.ports = std::clamp(root.portCount, 1, kMaxPorts);
        rootPath_ = root.devicePath;
        MapPorts(root, hub.key, hub.ports);
    }

    static std::string RootDescription(uint8_t programmingInterface) {
        switch (programmingInterface) {
        case 0x00: return "USB 1.1 root hub (UHCI)";
        case 0x10: return "USB 1.1 root hub (OHCI)";
        case 0x20: return "USB 2.0 root hub (EHCI)";
        case 0x30: return "USB 3 root hub (xHCI)";
        default: return "USB root hub";
        }
    }

    // hubKey is a copy: the units grow while the ports are mapped and would move the hub it names.
    void MapPorts(const HubFacts& hub, std::string hubKey, int shown) {
        std::vector<int> positions = Positions(hub, shown);
        for (size_t i = 0; i < hub.ports.size(); ++i) {
            if (!Occupied(hub.ports[i])) continue;
            if (!positions[i]) {
                ++hidden_;
                continue;
            }
            MapPort(hub.ports[i], hubKey, positions[i]);
        }
    }

    void MapPort(const PortFacts& port, const std::string& parent, int position) {
        bool isHub = port.isHub;
        std::string id;
        if (port.vendorId || port.productId) {
            id = Hex4(port.vendorId) + "-" + Hex4(port.productId);
            if (std::string serial = Serial(port); !serial.empty()) id += "-" + serial;
        } else {
            // Nothing names it: it can only be told by where it is.
            id = "unknown-" + parent + "-" + std::to_string(position);
        }
        Health health = PortHealth(port);
        if (isHub && (!port.hub || !port.hub->complete) && health.severity < 3) health = UnreadHub();
        UnitEntry& unit = Add(isHub ? kHub : kDevice, keys_.Take(id), parent, position, health);

        std::u16string product = port.product ? Trimmed(*port.product) : std::u16string();
        std::u16string friendly = Trimmed(port.device.friendlyName);
        std::u16string name = !product.empty() ? product : !friendly.empty() ? friendly : ClassName(port);
        unit.name = Clip(name, kNameChars, true);
        if (port.vendorId || port.productId)
            unit.model = "VID_" + Hex4(port.vendorId) + " PID_" + Hex4(port.productId);
        if (port.manufacturer) unit.manufacturer = Clip(Trimmed(*port.manufacturer), kTextChars);
        unit.description = Clip(friendly.empty() ? ClassName(port) : friendly, kTextChars);
        bool selfPowered = port.selfPowered || (port.hub && port.hub->selfPowered);
        unit.selfPowered = selfPowered;
        unit.power = selfPowered ? "Self-powered" : std::to_string(port.maxPowerMa) + " mA";
        if (port.serial && !Trimmed(*port.serial).empty()) unit.serial = Clip(Trimmed(*port.serial), kTextChars);
        unit.typeCode = TypeCode(port);
        unit.usb2 = port.speed >= Speed::High || port.deviceUsb2Capable;
        unit.driverProvider = Clip(port.device.driverProvider, kTextChars);
        unit.driverDate = Clip(port.device.driverDate, kTextChars);
        unit.driverVersion = Clip(port.device.driverVersion, kTextChars);
        if (!isHub) {
            unit.icon = Icon(port);
            unit.iconGroup = 0;
            unit.busHub = rootPath_;  // its traffic is counted by root hub and bus address
            unit.busAddress = port.address;
            return;
        }
        // Hub numbers only label hubs; past the last one they start again.
        unit.number = hubsSeen_++ % kMaxHubNumber + 1;
        unit.ports = port.hub ? std::clamp(port.hub->portCount, 0, kMaxPorts) : 0;
        if (port.hub) MapPorts(*port.hub, unit.key, unit.ports);
    }

    static std::string Count(int n, const char* one, const char* many) {
        return std::to_string(n) + " " + (n == 1 ? one : many);
    }

    // The computer's texts: what was found, whether anything is missing, and the worst trouble.
    void Summarise() {
        ComputerEntry& computer = out_.computer;
        std::u16string name = Trimmed(snapshot_.computerName);
        computer.name = Clip(name.empty() ? u"This computer" : name, kTextChars);
        int worst = -1, troubled = 0, hubs = 0, devices = 0;
        for (size_t i = 0; i < out_.units.size(); ++i) {
            const UnitEntry& unit = out_.units[i];
            if (unit.kind == kHub && !unit.rootHub) ++hubs;
            if (unit.kind == kDevice) ++devices;
            if (unit.severity > 0) ++troubled;
            if (worst < 0 || unit.severity > out_.units[worst].severity) worst = static_cast<int>(i);
        }
        int controllers = static_cast<int>(out_.adapters.size());
        std::string status = "Found " + Count(controllers, "USB host controller", "USB host controllers") + ", " +
                             Count(hubs, "hub", "hubs") + " and " + Count(devices, "device", "devices") + ".";
        if (!snapshot_.complete)
            status += " This reading is incomplete: part of the USB tree did not answer in time, so some "
                      "devices may be missing or out of date.";
        if (unreadControllers_)
            status += " " + Count(unreadControllers_, "USB host controller", "USB host controllers") +
                      " could not be read.";
        if (extraControllers_)
            status += " " + Count(extraControllers_, "more USB host controller is", "more USB host controllers are") +
                      " not shown: only 26 root hubs can be lettered.";
        if (hidden_)
            status += " " + Count(hidden_, "device is", "devices are") + " not shown: no free place is left for them.";
        computer.statusText = Clip(status, kLongText);
        computer.secondLevel = !snapshot_.complete || unreadControllers_ || extraControllers_ || hidden_ ? 1 : 0;

        if (worst < 0 || out_.units[worst].severity == 0) {
            computer.severityText = "All USB controllers, hubs and devices are working properly.";
            computer.adviceText = "Nothing to do. Select a hub or device below for its details.";
            return;
        }
        const UnitEntry& unit = out_.units[worst];
        const Health& health = health_[worst];
        computer.severity = unit.severity;
        computer.severityText = Clip(Count(troubled, "hub or device needs", "hubs or devices need") +
                                         " attention. The most serious: " + unit.name + ": " + health.text,
                                     kLongText);
        computer.adviceText = Clip(health.advice.empty() ? health.text : health.advice, kLongText);
    }

    const Snapshot& snapshot_;
    Scenario out_;
    std::vector<Health> health_;  // beside out_.units
    KeyBook keys_;
    std::string rootPath_;  // the device path of the root hub being mapped
    int hubsSeen_ = 0;
    int hidden_ = 0;
    int unreadControllers_ = 0;
    int extraControllers_ = 0;
};

const UnitEntry* FindUnit(const Scenario& scenario, const std::string& key) {
    for (const UnitEntry& unit : scenario.units)
        if (unit.key == key) return &unit;
    return nullptr;
}

}  // namespace

Scenario MapSnapshot(const Snapshot& snapshot) { return Mapper(snapshot).Run(); }

void KeepDisconnected(const Scenario& previous, Scenario& next) {
    std::vector<UnitEntry> kept;
    for (const UnitEntry& unit : previous.units) {
        if (unit.kind != kDevice || FindUnit(next, unit.key)) continue;
        if (std::any_of(next.adapters.begin(), next.adapters.end(),
                        [&](const AdapterEntry& adapter) { return adapter.key == unit.key; }))
            continue;
        // Up the chain it hung on last time, to the first hub that is still there.
        std::string parent = unit.parent;
        int port = unit.port;
        const UnitEntry* hub = nullptr;
        for (size_t hops = 0; hops <= previous.units.size(); ++hops) {
            hub = FindUnit(next, parent);
            // A hub that now reports fewer ports keeps the device on its last one.
            if (hub && hub->kind == kHub && hub->ports > 0) {
                port = std::min(port, hub->ports);
                break;
            }
            hub = nullptr;
            const UnitEntry* gone = FindUnit(previous, parent);
            if (!gone || gone->rootHub) break;
            parent = gone->parent;
            port = gone->port;
        }
        if (!hub) continue;
        UnitEntry& entry = kept.emplace_back(unit);
        entry.plugged = false;
        entry.parent = hub->key;
        entry.port = port;
        entry.severity = 0;
        entry.severityText = Clip("Not connected. Last seen on port " + std::to_string(port) + " of " + hub->name + ".",
                                  kLongText);
        entry.line = entry.parentLine = entry.portLine = 0;
    }
    next.units.insert(next.units.end(), kept.begin(), kept.end());
}

}  // namespace linsett::usb
