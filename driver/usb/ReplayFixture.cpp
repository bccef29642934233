#include "driver/usb/ReplayFixture.h"

#include <algorithm>
#include <cstdio>
#include <cctype>
#include <initializer_list>
#include <string_view>

#include "driver/Json.h"
#include "driver/Text.h"
#include "driver/usb/FileTime.h"
#include "driver/usb/UsbLayouts.h"

namespace linsett::usb::replay {

namespace {

using json::Type;
using json::Value;

constexpr uint32_t kStartedNode = 0x0180200A;  // DN_DRIVER_LOADED | DN_STARTED | DN_DISABLEABLE | DN_NT_*

const char* const kStatusNames[] = {"no-device",
                                    "connected",
                                    "failed-enumeration",
                                    "general-failure",
                                    "over-current",
                                    "not-enough-power",
                                    "not-enough-bandwidth",
                                    "nested-too-deeply",
                                    "legacy-hub",
                                    "enumerating",
                                    "reset"};
const char* const kSpeedNames[] = {"low", "full", "high", "super"};

class Reader {
public:
    Reader(std::string name, Fixture& out) : name_(std::move(name)), out_(out) {}

    bool Read(const Value& root) {
        if (!Keys(root, {"computer", "devices", "controllers"})) return false;
        devices_ = root.Find("devices");
        if (devices_ && devices_->type != Type::Object) return Fail(*devices_, "\"devices\" must be an object");
        const Value* controllers = root.Find("controllers");
        if (!Text(root, "computer", out_.computer) || !controllers || controllers->type != Type::Array) {
            return Fail(root, "a fixture needs a \"controllers\" array");
        }
        for (const Value& item : controllers->items) {
            if (!ReadController(item)) return false;
        }
        return true;
    }

    std::string error;

private:
    bool Fail(const Value& at, const std::string& problem) {
        if (error.empty()) error = name_ + ": line " + std::to_string(at.line) + ": " + problem;
        return false;
    }

    bool Keys(const Value& object, std::initializer_list<std::string_view> allowed) {
        if (object.type != Type::Object) return Fail(object, "expected an object");
        for (const auto& [key, value] : object.members) {
            if (std::find(allowed.begin(), allowed.end(), key) == allowed.end()) {
                return Fail(value, "unknown field \"" + key + "\"");
            }
        }
        return true;
    }

    // A number, or a string of hexadecimal digits after 0x.
    bool NumberOf(const Value& value, const std::string& what, uint32_t& out, uint32_t max) {
        uint64_t number = 0;
        if (value.type == Type::Number && value.number >= 0 && value.number == double(uint64_t(value.number))) {
            number = uint64_t(value.number);
        } else if (value.type == Type::String && value.text.size() > 2 && value.text.size() <= 10 &&
                   value.text.rfind("0x", 0) == 0 &&
                   value.text.find_first_not_of("0123456789abcdefABCDEF", 2) == std::string::npos) {
            number = std::stoull(value.text.substr(2), nullptr, 16);
        } else {
            return Fail(value, what + " must be a whole number or a 0x hex string");
        }
        if (number > max) return Fail(value, what + " is out of range");
        out = uint32_t(number);
        return true;
    }

    bool Number(const Value& object, const char* key, uint32_t& out, uint32_t max) {
        const Value* value = object.Find(key);
        return !value || NumberOf(*value, std::string("\"") + key + "\"", out, max);
    }

    template <typename T>
    bool Small(const Value& object, const char* key, T& out) {
        uint32_t number = out;
        if (!Number(object, key, number, T(~T(0)))) return false;
        out = T(number);
        return true;
    }

    bool Text(const Value& object, const char* key, std::u16string& out) {
        const Value* value = object.Find(key);
        if (!value) return true;
        if (value->type != Type::String) return Fail(*value, std::string("\"") + key + "\" must be a string");
        out = Widen(value->text);
        return true;
    }

    bool Flag(const Value& object, const char* key, bool& out) {
        const Value* value = object.Find(key);
        if (!value) return true;
        if (value->type != Type::Bool) return Fail(*value, std::string("\"") + key + "\" must be true or false");
        out = value->boolean;
        return true;
    }

    template <size_t N>
    bool Choice(const Value& value, const char* const (&names)[N], uint32_t& out) {
        for (size_t i = 0; i < N; ++i) {
            if (value.type == Type::String && value.text == names[i]) return out = uint32_t(i), true;
        }
        return Fail(value, "no such value: expected \"" + std::string(names[0]) + "\" or the like");
    }

    template <size_t N>
    bool Choice(const Value& object, const char* key, const char* const (&names)[N], uint32_t& out) {
        const Value* value = object.Find(key);
        return !value || Choice(*value, names, out);
    }

    bool Hex(const Value& value, std::vector<uint8_t>& out) {
        out.clear();
        if (value.type != Type::String) return Fail(value, "expected a string of hex bytes");
        for (size_t at = 0; at < value.text.size();) {
            if (value.text[at] == ' ') {
                ++at;
                continue;
            }
            unsigned byte = 0;
            if (at + 2 > value.text.size() || std::sscanf(value.text.c_str() + at, "%2x", &byte) != 1 ||
                !std::isxdigit((unsigned char)value.text[at + 1])) {
                return Fail(value, "not a string of hex bytes");
            }
            out.push_back(uint8_t(byte));
            at += 2;
        }
        return true;
    }

    bool ReadNode(const Value& object, const std::u16string& driverKey, std::u16string& instanceId) {
        if (!Keys(object, {"instanceId", "friendlyName", "description", "provider", "date", "version", "service",
                           "compatibleIds", "present", "status", "problem"})) {
            return false;
        }
        NodeProperties node;
        node.status = kStartedNode;
        node.located = true;
        const Value* date = object.Find("date");
        const Value* ids = object.Find("compatibleIds");
        Date day;
        if (!Text(object, "instanceId", node.instanceId) || !Text(object, "friendlyName", node.friendlyName) ||
            !Text(object, "description", node.description) || !Text(object, "provider", node.driverProvider) ||
            !Text(object, "version", node.driverVersion) || !Text(object, "service", node.service) ||
            !Flag(object, "present", node.located) || !Number(object, "status", node.status, ~0u) ||
            !Number(object, "problem", node.problem, 255)) {
            return false;
        }
        if (node.instanceId.empty()) return Fail(object, "a node needs an \"instanceId\"");
        if (date && (date->type != Type::String ||
                     std::sscanf(date->text.c_str(), "%d-%d-%d", &day.month, &day.day, &day.year) != 3 ||
                     day.month < 1 || day.month > 12 || day.day < 1 || day.day > 31 || day.year < 1601)) {
            return Fail(*date, "\"date\" must be month-day-year");
        }
        if (date) node.driverDate = FileTimeFromDate(day);
        if (ids) {
            if (ids->type != Type::Array) return Fail(*ids, "\"compatibleIds\" must be an array of strings");
            for (const Value& id : ids->items) {
                if (id.type != Type::String) return Fail(id, "\"compatibleIds\" must be an array of strings");
                node.compatibleIds.push_back(Widen(id.text));
            }
        }
        if (!node.located) node.status = node.problem = 0;
        if (out_.nodeByInstanceId.count(node.instanceId)) return Fail(object, "a second node with this instanceId");
        if (!driverKey.empty() && out_.nodeByDriverKey.count(driverKey))
            return Fail(object, "a second node with this driverKey");
        out_.nodeByInstanceId[node.instanceId] = out_.nodes.size();
        if (!driverKey.empty()) out_.nodeByDriverKey[driverKey] = out_.nodes.size();
        instanceId = node.instanceId;
        out_.nodes.push_back(std::move(node));
        return true;
    }

    bool ReadController(const Value& object) {
        Controller controller;
        const Value* node = object.Find("node");
        const Value* root = object.Find("rootHub");
        if (!Keys(object, {"path", "driverKey", "node", "rootHub"}) || !Text(object, "path", controller.path) ||
            !Text(object, "driverKey", controller.driverKey)) {
            return false;
        }
        if (controller.path.empty() || !node) return Fail(object, "a controller needs a \"path\" and a \"node\"");
        if (!ReadNode(*node, controller.driverKey, controller.instanceId)) return false;
        if (root && !ReadHub(*root, u"", controller.rootHub, 1)) return false;
        out_.controllers.push_back(std::move(controller));
        return true;
    }

    bool ReadHub(const Value& object, const std::u16string& instanceId, int& index, int tier) {
        Hub hub;
        hub.instanceId = instanceId;
        uint32_t count = 0, protocols = 3;
        const Value* ports = object.Find("connections");
        const Value* protocolList = object.Find("protocols");
        if (!Keys(object,
                  {"name", "ports", "busPowered", "answersV2", "vanishAfterCalls", "protocols", "connections",
                   "capture"}) ||
            !Text(object, "name", hub.name) || !Text(object, "capture", hub.capture) ||
            !Number(object, "ports", count, 255) ||
            !Flag(object, "busPowered", hub.busPowered) || !Flag(object, "answersV2", hub.answersV2) ||
            (protocolList && !Protocols(*protocolList, protocols))) {
            return false;
        }
        uint32_t vanish = ~0u;
        if (!Number(object, "vanishAfterCalls", vanish, ~0u)) return false;
        hub.vanishAfterCalls = vanish == ~0u ? -1 : int(vanish);
        if (hub.name.empty() || !count) return Fail(object, "a hub needs a \"name\" and \"ports\"");
        if (tier > 8) return Fail(object, "hubs nested too deeply");
        if (object.Find("capture") && (tier > 1 || !FileName(hub.capture)))
            return Fail(*object.Find("capture"), "\"capture\" names a file in the fixture's folder, for a root hub");
        hub.ports.resize(count);
        for (Port& port : hub.ports) port.protocols = protocols;
        index = int(out_.hubs.size());
        out_.hubs.push_back(std::move(hub));
        if (!ports) return true;
        if (ports->type != Type::Array) return Fail(*ports, "\"connections\" must be an array");
        for (const Value& item : ports->items) {
            uint32_t number = 0;
            if (!Number(item, "port", number, count) || !number)
                return Fail(item, "a connection needs a \"port\" of its hub");
            Port port;
            port.protocols = protocols;
            if (!ReadPort(item, port, tier)) return false;
            out_.hubs[size_t(index)].ports[number - 1] = std::move(port);
        }
        return true;
    }

    // A name within the folder: no path, no drive, no stream, not the folder itself.
    static bool FileName(const std::u16string& name) {
        return !name.empty() && name != u"." && name != u".." && name.find_first_of(u"\\/:") == std::u16string::npos;
    }

    bool Protocols(const Value& list, uint32_t& out) {
        out = 0;
        if (list.type != Type::Array) return Fail(list, "\"protocols\" must be an array");
        for (const Value& item : list.items) {
            const char* const names[] = {"1.1", "2.0", "3"};
            uint32_t bit = 0;
            if (!Choice(item, names, bit)) return false;
            out |= 1u << bit;
        }
        return true;
    }

    bool ReadPort(const Value& object, Port& port, int tier) {
        const Value* device = object.Find("device");
        const Value* node = object.Find("node");
        const Value* hub = object.Find("hub");
        const Value* protocols = object.Find("protocols");
        const Value* fault = object.Find("fault");
        uint32_t speed = 1;
        port.status = 1;
        if (!Keys(object, {"port", "status", "speed", "protocols", "address", "device", "serial", "driverKey", "node",
                           "hub", "fault", "superSpeedCapable"}) ||
            !Choice(object, "status", kStatusNames, port.status) || !Choice(object, "speed", kSpeedNames, speed) ||
            !Small(object, "address", port.address) || !Text(object, "driverKey", port.driverKey) ||
            (protocols && !Protocols(*protocols, port.protocols))) {
            return false;
        }
        port.speed = uint8_t(speed);
        bool superCapable = speed == 3;
        if (!Flag(object, "superSpeedCapable", superCapable)) return false;
        port.flags = (speed == 3 ? 1u : 0u) | (superCapable ? 2u : 0u);
        if (fault) {
            // A device that stops answering usually still has its hub answer for it.
            const char* const faults[] = {"timeout", "gone", "descriptor-timeout"};
            uint32_t which = 0;
            if (!Choice(*fault, faults, which)) return false;
            port.fault = which == 1 ? error::kDeviceNotConnected : error::kSemTimeout;
            port.faultOnDescriptors = which == 2;
        }
        if (device) {
            const Value* model = device;
            if (device->type == Type::String) {
                model = devices_ ? devices_->Find(device->text) : nullptr;
                if (!model) return Fail(*device, "no device \"" + device->text + "\" in \"devices\"");
            }
            port.hasDevice = true;
            if (!ReadDevice(*model, object.Find("serial"), port)) return false;
        }
        std::u16string instanceId;
        if (node && !ReadNode(*node, port.driverKey, instanceId)) return false;
        if (hub && !ReadHub(*hub, instanceId, port.hub, tier + 1)) return false;
        return true;
    }

    void AddString(Device& device, uint8_t index, const std::u16string& text) {
        std::vector<uint8_t> bytes{uint8_t(2 + 2 * text.size()), layout::descriptor::kString};
        for (char16_t c : text) bytes.insert(bytes.end(), {uint8_t(c), uint8_t(c >> 8)});
        device.strings[index] = std::move(bytes);
    }

    bool ReadDevice(const Value& object, const Value* serialOverride, Port& port) {
        Device& device = port.device;
        auto& d = device.descriptor;
        uint16_t usb = 0x0200, vendor = 0, product = 0, release = 0x0100;
        uint8_t klass = 0, subClass = 0, protocol = 0, packet = 64;
        std::u16string texts[3];
        const Value* serial = serialOverride ? serialOverride : object.Find("serial");
        const Value* languages = object.Find("languages");
        const Value* configuration = object.Find("configuration");
        const Value* raw = object.Find("configurationHex");
        const Value* rawStrings = object.Find("stringsHex");
        if (!Keys(object, {"usb", "class", "subClass", "protocol", "maxPacket0", "vid", "pid", "bcdDevice",
                           "manufacturer", "product", "serial", "languages", "highSpeedCapable", "configuration",
                           "configurationHex", "stringsHex", "refusesDescriptors"}) ||
            !Small(object, "usb", usb) || !Small(object, "class", klass) || !Small(object, "subClass", subClass) ||
            !Small(object, "protocol", protocol) || !Small(object, "maxPacket0", packet) ||
            !Small(object, "vid", vendor) || !Small(object, "pid", product) || !Small(object, "bcdDevice", release) ||
            !Text(object, "manufacturer", texts[0]) || !Text(object, "product", texts[1]) ||
            !Flag(object, "highSpeedCapable", device.qualifier) ||
            !Flag(object, "refusesDescriptors", device.refusesDescriptors)) {
            return false;
        }
        if (serial && serial->type == Type::String)
            texts[2] = Widen(serial->text);
        else if (serial && serial->type != Type::Null)
            return Fail(*serial, "\"serial\" must be a string or null");
        d = {18, layout::descriptor::kDevice, 0, 0, klass, subClass, protocol, packet};
        layout::WriteU16(&d[layout::device::kBcdUsb], usb);
        layout::WriteU16(&d[layout::device::kVendor], vendor);
        layout::WriteU16(&d[layout::device::kProduct], product);
        layout::WriteU16(&d[layout::device::kBcdDevice], release);
        for (uint8_t i = 0; i < 3; ++i) {
            if (texts[i].empty()) continue;
            d[layout::device::kManufacturer + i] = uint8_t(i + 1);
            AddString(device, uint8_t(i + 1), texts[i]);
        }
        d[layout::device::kConfigurations] = 1;
        if (rawStrings) {
            if (!Keys(*rawStrings, {"1", "2", "3"})) return false;
            for (const auto& [key, value] : rawStrings->members) {
                uint8_t index = uint8_t(key[0] - '0');
                if (!Hex(value, device.strings[index])) return false;
                d[layout::device::kManufacturer + index - 1] = index;
            }
        }
        if (languages) {
            if (languages->type != Type::Array) return Fail(*languages, "\"languages\" must be an array");
            for (const Value& language : languages->items) {
                uint32_t id = 0;
                if (!NumberOf(language, "a language", id, 0xFFFF)) return false;
                device.languages.push_back(uint16_t(id));
            }
        } else if (!device.strings.empty()) {
            device.languages.push_back(0x0409);
        }
        if (raw && !Hex(*raw, device.configuration)) return false;
        if (configuration && !ReadConfiguration(*configuration, port)) return false;
        return true;
    }

    bool ReadConfiguration(const Value& object, Port& port) {
        bool self = false, wakeup = false;
        uint32_t power = 100;
        const Value* interfaces = object.Find("interfaces");
        if (!Keys(object, {"selfPowered", "remoteWakeup", "maxPowerMa", "interfaces"}) ||
            !Flag(object, "selfPowered", self) || !Flag(object, "remoteWakeup", wakeup) ||
            !Number(object, "maxPowerMa", power, 2040)) {
            return false;
        }
        uint8_t units = port.speed == 3 ? 8 : 2;
        std::vector<uint8_t>& bytes = port.device.configuration;
        bytes = {9,
                 layout::descriptor::kConfiguration,
                 0,
                 0,
                 0,
                 1,
                 0,
                 uint8_t(0x80 | (self ? 0x40 : 0) | (wakeup ? 0x20 : 0)),
                 uint8_t(power / units)};
        std::vector<uint8_t> numbers;
        if (interfaces && interfaces->type != Type::Array) return Fail(*interfaces, "\"interfaces\" must be an array");
        for (const Value& item : interfaces ? interfaces->items : std::vector<Value>{}) {
            uint8_t number = uint8_t(numbers.size()), alternate = 0, klass = 0, subClass = 0, protocol = 0;
            const Value* endpoints = item.Find("endpoints");
            const Value* extra = item.Find("extra");
            std::vector<uint8_t> extraBytes;
            if (!Keys(item, {"number", "alternate", "class", "subClass", "protocol", "extra", "endpoints"}) ||
                !Small(item, "number", number) || !Small(item, "alternate", alternate) ||
                !Small(item, "class", klass) || !Small(item, "subClass", subClass) ||
                !Small(item, "protocol", protocol) || (extra && !Hex(*extra, extraBytes))) {
                return false;
            }
            if (std::find(numbers.begin(), numbers.end(), number) == numbers.end()) numbers.push_back(number);
            size_t count = endpoints && endpoints->type == Type::Array ? endpoints->items.size() : 0;
            bytes.insert(bytes.end(), {9, layout::descriptor::kInterface, number, alternate, uint8_t(count), klass,
                                       subClass, protocol, 0});
            bytes.insert(bytes.end(), extraBytes.begin(), extraBytes.end());
            for (size_t i = 0; i < count; ++i) {
                const Value& endpoint = endpoints->items[i];
                const char* const types[] = {"control", "iso", "bulk", "interrupt"};
                uint32_t type = 0;
                uint8_t address = 0, interval = 0;
                uint16_t packet = 0;
                if (!Keys(endpoint, {"address", "type", "maxPacket", "interval"}) ||
                    !Small(endpoint, "address", address) || !Choice(endpoint, "type", types, type) ||
                    !Small(endpoint, "maxPacket", packet) || !Small(endpoint, "interval", interval)) {
                    return false;
                }
                std::array<uint8_t, 7> e{7,
                                         layout::descriptor::kEndpoint,
                                         address,
                                         uint8_t(type),
                                         uint8_t(packet),
                                         uint8_t(packet >> 8),
                                         interval};
                bytes.insert(bytes.end(), e.begin(), e.end());
                if (alternate == 0) port.device.endpoints.push_back(e);
            }
        }
        bytes[4] = uint8_t(numbers.size());
        layout::WriteU16(&bytes[2], uint16_t(bytes.size()));
        return true;
    }

    std::string name_;
    Fixture& out_;
    const Value* devices_ = nullptr;
};

}  // namespace

bool ReadFixture(const std::string& text, const std::string& name, Fixture& out, std::string& error) {
    json::Value root;
    json::Error parseError;
    out = Fixture{};
    if (!json::Parse(text, root, parseError)) {
        error = name + ": line " + std::to_string(parseError.line) + ": " + parseError.message;
        return false;
    }
    Reader reader(name, out);
    if (!reader.Read(root)) {
        error = reader.error;
        return false;
    }
    // Addresses the way a host hands them out, where the fixture does not pin them.
    uint16_t next = 1;
    for (Hub& hub : out.hubs) {
        for (Port& port : hub.ports) {
            if (port.hasDevice && !port.address) port.address = next++;
        }
    }
    return true;
}

}  // namespace linsett::usb::replay
