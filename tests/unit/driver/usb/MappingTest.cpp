// Passes built in code, mapped, each result read back as a scenario file: the limits hold for any hardware.
#include <gtest/gtest.h>
#include "driver/Layout.h"
#include "driver/Text.h"
#include "driver/usb/Mapping.h"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"  // designated initializers leave the rest default

namespace {

using namespace linsett;
using namespace linsett::usb;

PortFacts Device(int number, const char16_t* product, std::vector<InterfaceFacts> faces = {{3, 1, 2}},
                 uint16_t productId = 1) {
    return {.number = number, .connection = Connection::Connected, .portUsb2 = true, .vendorId = 0x1234,
            .productId = productId, .interfaces = std::move(faces), .maxPowerMa = 100, .product = product,
            .device = {.instanceId = "USB\\VID_1234&PID_0001\\6&1A2B3C&0&" + std::to_string(number)}};
}

template <class... P> std::vector<PortFacts> Ports(P... ports) {
    std::vector<PortFacts> list;
    (list.push_back(std::move(ports)), ...);
    return list;
}

PortFacts Hub(int number, const char16_t* product, std::vector<PortFacts> ports, Speed speed = Speed::High) {
    PortFacts port = Device(number, product, {{9}}, 0x0900);
    port.isHub = true;
    port.speed = speed;
    port.hub.reset(new HubFacts{.portCount = 4, .ports = std::move(ports)});
    return port;
}

Snapshot Root(std::vector<PortFacts> ports, int portCount = 4, uint8_t programmingInterface = 0x30) {
    Snapshot snapshot{.computerName = u"Desk"};
    snapshot.controllers.push_back(
        {.device = {.instanceId = "PCI\\VEN_8086&DEV_A36D&SUBSYS_85511043&REV_10\\3&11583659&0&A0",
                    .friendlyName = u"Intel(R) USB 3.1 eXtensible Host Controller - 1.10 (Microsoft)"},
         .programmingInterface = programmingInterface,
         .rootHub = HubFacts{.portCount = portCount, .ports = std::move(ports)}});
    return snapshot;
}

// A scenario as a scenario file, so the file reader's checks judge it.
std::string Q(const std::string& text) {
    std::string out = "\"";
    for (char c : text) out += c == '"' || c == '\\' ? std::string{'\\', c} : std::string(1, c);
    return out + "\"";
}
std::string N(int value) { return std::to_string(value); }
std::string B(bool value) { return value ? "true" : "false"; }
std::string Object(const std::vector<std::pair<const char*, std::string>>& fields) {
    std::string text;
    for (const auto& [name, value] : fields) text += (text.empty() ? "{\"" : ", \"") + std::string(name) + "\": " + value;
    return text + "}";
}

std::string UnitJson(const UnitEntry& u) {
    std::vector<std::pair<const char*, std::string>> f = {{"key", Q(u.key)}, {"name", Q(u.name)}, {"model", Q(u.model)},
        {"manufacturer", Q(u.manufacturer)}, {"description", Q(u.description)}, {"power", Q(u.power)},
        {"self_powered", B(u.selfPowered)}, {"serial", u.serial ? Q(*u.serial) : "null"}, {"type_code", N(u.typeCode)},
        {"usb2", B(u.usb2)}, {"severity", N(u.severity)}, {"severity_text", Q(u.severityText)}};
    if (u.rootHub) f.push_back({"dark", B(u.dark)});
    else f.insert(f.end(), {{"parent", Q(u.parent)}, {"port", N(u.port)}});
    if (u.kind == kHub) f.insert(f.end(), {{"number", N(u.number)}, {"ports", N(u.ports)}});
    else f.insert(f.end(), {{"icon", N(u.icon)}, {"icon_group", N(u.iconGroup)}, {"driver_provider", Q(u.driverProvider)},
                            {"driver_date", Q(u.driverDate)}, {"driver_version", Q(u.driverVersion)}});
    return Object(f);
}

std::string ToJson(const Scenario& s) {
    std::string lists[4];  // adapters, hubs, devices, disconnected
    for (const AdapterEntry& a : s.adapters)
        for (const UnitEntry& u : s.units)
            if (u.rootHub && u.parent == a.key)
                lists[0] += "," + Object({{"key", Q(a.key)}, {"name", Q(a.name)}, {"usb2", B(a.usb2)}, {"root_hub", UnitJson(u)}});
    for (const UnitEntry& u : s.units)
        if (!u.rootHub) lists[!u.plugged ? 3 : u.kind == kHub ? 1 : 2] += "," + UnitJson(u);
    for (std::string& list : lists) list = "[" + (list.empty() ? list : list.substr(1)) + "]";
    const ComputerEntry& c = s.computer;
    return Object({{"computer", Object({{"name", Q(c.name)}, {"severity", N(c.severity)}, {"severity_text", Q(c.severityText)},
                                        {"second_level", N(c.secondLevel)}, {"status_text", Q(c.statusText)},
                                        {"advice_text", Q(c.adviceText)}})},
                   {"adapters", lists[0]}, {"hubs", lists[1]}, {"devices", lists[2]}, {"disconnected", lists[3]}});
}

Scenario Mapped(const Snapshot& snapshot, Scenario* previous = nullptr) {
    Scenario scenario = MapSnapshot(snapshot), read;
    if (previous) KeepDisconnected(*previous, scenario);
    Problem problem;
    EXPECT_TRUE(ReadScenario(ToJson(scenario), read, problem)) << problem.message << "\n" << ToJson(scenario);
    return scenario;
}

const UnitEntry& Find(const Scenario& scenario, std::string_view name) {
    for (const UnitEntry& unit : scenario.units)
        if (unit.name == name) return unit;
    static const UnitEntry none;
    ADD_FAILURE() << "no unit named " << name;
    return none;
}
const UnitEntry& Only(const Scenario& scenario) { return scenario.units.at(1); }  // after the root hub

TEST(UsbMapping, TypeCodeAndIconFollowTheClassesThenPowerAndBandwidth) {
    struct Row { const char* what; uint8_t deviceClass; std::vector<InterfaceFacts> faces; uint16_t ma; bool self, driver; int code, icon; };
    const InterfaceFacts disk{8, 6, 0x50, false, true, 512}, vendorBulk{255, 0, 0, false, true, 512};
    const Row rows[] = {
        {"mouse", 0, {{3, 1, 2}}, 100, false, true, 7, 4},
        {"receiver: keyboard and mouse", 0, {{3, 1, 1}, {3, 1, 2}}, 100, false, true, 7, 0},
        {"flash drive", 0, {disk}, 200, false, true, 8, 3},
        {"disk with its own supply", 0, {disk}, 500, true, true, 8, 1},
        {"bus-powered disk at 500 mA", 0, {disk}, 500, false, true, 4, 1},
        {"camera", 0, {{6, 1, 1, false, true, 512}}, 100, false, true, 9, 9},
        {"printer", 0, {{7, 1, 2, false, true, 64}}, 2, true, true, 12, 12},
        {"modem and its data interface", 0xEF, {{2, 2, 1}, {10, 0, 0, false, true, 64}}, 100, false, true, 13, 14},
        {"speakers", 0, {{1, 1, 0}, {1, 2, 0, true}}, 100, false, true, 14, 11},
        {"webcam with microphone", 0xEF, {{14, 1, 0}, {14, 2, 0, true}, {1, 1, 0}, {1, 2, 0, true}}, 400, false, true, 10, 10},
        {"card reader with a button", 0, {disk, {3, 0, 0}}, 100, false, true, 11, 3},
        {"smart-card reader", 0, {{11, 0, 0}}, 100, false, true, 16, 17},
        {"bluetooth adapter", 0xE0, {{224, 1, 1, true}, {224, 1, 1, false, true, 64}}, 100, false, true, 17, 15},
        {"vendor device, no driver", 0xFF, {vendorBulk}, 500, false, false, 6, 16},
        {"vendor device streaming bulk", 0xFF, {vendorBulk}, 100, false, true, 18, 16},
        {"vendor device streaming isochronous", 0xFF, {{255, 0, 0, true}}, 100, false, true, 10, 16},
        {"vendor device with its own supply", 0xFF, {{255, 0, 0, false, true, 64}}, 0, true, true, 5, 16},
        {"vendor device, bus-powered", 0xFF, {{255, 0, 0, false, true, 64}}, 100, false, true, 0, 16},
    };
    for (const Row& row : rows) {
        PortFacts port = Device(1, u"Thing", row.faces);
        port.deviceClass = row.deviceClass;
        port.maxPowerMa = row.ma;
        port.selfPowered = row.self;
        port.device.hasDriver = row.driver;
        Scenario scenario = Mapped(Root(Ports(std::move(port))));
        EXPECT_EQ(Only(scenario).typeCode, row.code) << row.what;
        EXPECT_EQ(Only(scenario).icon, row.icon) << row.what;
    }
    Scenario hubs = Mapped(Root(Ports(Hub(1, u"Fast", Ports(Hub(1, u"Slow", {}, Speed::Full)))), 4, 0x10));
    EXPECT_EQ(hubs.units[0].typeCode, 2);
    EXPECT_EQ(Find(hubs, "Fast").typeCode, 3);
    EXPECT_EQ(Find(hubs, "Slow").typeCode, 1);
    EXPECT_FALSE(hubs.adapters[0].usb2);  // an OHCI controller
    EXPECT_TRUE(Mapped(Root({}, 4, 0x20)).adapters[0].usb2);
}

TEST(UsbMapping, SeverityFromConnectionProblemAndSpeedAndTheComputerSummarises) {
    struct Row { const char* what; Connection connection; uint32_t problem; bool driver, slowPort; int severity; bool silent = false; };
    const Row rows[] = {
        {"working", Connection::Connected, 0, true, false, 0},
        {"not identified", Connection::FailedEnumeration, 0, true, false, 4},
        {"general failure", Connection::GeneralFailure, 0, true, false, 4},
        {"over-current", Connection::OverCurrent, 0, true, false, 4},
        {"stopped after reporting a failure", Connection::Connected, 43, true, false, 4},
        {"driver not installed", Connection::Connected, 28, true, false, 3},
        {"cannot start", Connection::Connected, 10, true, false, 3},
        {"no driver", Connection::Connected, 0, false, false, 3},
        {"not enough power", Connection::NotEnoughPower, 0, true, false, 2},
        {"not enough bandwidth", Connection::NotEnoughBandwidth, 0, true, false, 2},
        {"fast device on a slow port", Connection::Connected, 0, true, true, 1},
        {"not answering", Connection::Connected, 0, true, false, 3, true},
    };
    for (const Row& row : rows) {
        PortFacts port = Device(1, u"Thing");
        port.connection = row.connection;
        port.device.problem = row.problem;
        port.device.hasDriver = row.driver;
        port.deviceUsb2Capable = true;
        port.portUsb2 = !row.slowPort;
        port.speed = row.slowPort ? Speed::Full : Speed::High;
        port.silent = row.silent;
        Scenario scenario = Mapped(Root(Ports(std::move(port))));
        const UnitEntry& unit = Only(scenario);
        EXPECT_EQ(unit.severity, row.severity) << row.what;
        EXPECT_EQ(scenario.computer.severity, row.severity) << row.what;
        if (row.severity == 0) continue;
        EXPECT_NE(unit.severityText.find(scenario.computer.adviceText), std::string::npos) << row.what;
        EXPECT_EQ(unit.severityText.find("ptimization") != std::string::npos, row.slowPort) << unit.severityText;
    }
    auto failing = [](int number, const char16_t* name, Connection connection) {
        PortFacts port = Device(number, name);
        port.connection = connection;
        return port;
    };
    Scenario two = Mapped(Root(Ports(Device(1, u"Fine"), failing(2, u"Hungry", Connection::NotEnoughPower),
                                     failing(3, u"Broken", Connection::OverCurrent))));
    EXPECT_EQ(two.computer.severityText.find("2 "), 0u) << two.computer.severityText;
    EXPECT_NE(two.computer.severityText.find("Broken"), std::string::npos);
}

TEST(UsbMapping, KeysFollowTheDeviceNotThePort) {  // and stay unique: each result is read back, with its two mice
    auto stick = [](int number, const char* instanceSerial, const char16_t* serial = nullptr) {
        PortFacts port = Device(number, serial ? u"Disk" : u"Stick", {{8, 6, 0x50}}, serial ? 3 : 2);
        port.device.instanceId = std::string("USB\\VID_1234&PID_0002\\") + instanceSerial;
        if (serial) port.serial = serial;
        return port;
    };
    const char16_t* serial = u"  SN 00/12 ... 0123456789012345678901234567890123456789";
    Scenario before = Mapped(Root(Ports(Device(1, u"Mouse"), stick(2, "5&0&2", serial), stick(3, "AA11"),
                                        Device(4, u"Mouse"))));
    Scenario after = Mapped(Root(Ports(stick(1, "BB22"), Hub(2, u"Hub", Ports(Device(4, u"Mouse"), stick(1, "5&0&9", u"B"),
                                                                              stick(3, "5&0&3", serial), stick(2, "AA11"))))));
    EXPECT_EQ(Find(before, "Mouse").key, Find(after, "Mouse").key);
    EXPECT_EQ(Find(before, "Disk").key, after.units.at(5).key);   // by its serial string, after another disk
    EXPECT_EQ(Find(before, "Stick").key, after.units.at(6).key);  // by its instance serial, after another stick
}

TEST(UsbMapping, LongNamesAreCutToWholeCharacters) {
    const std::u16string faces = u"😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀";  // two UTF-16 units each
    for (const std::u16string& product : {std::u16string(40, u'\u8bbe'), faces}) {
        std::u16string name = Widen(Only(Mapped(Root(Ports(Device(1, product.c_str()))))).name);
        EXPECT_LE(name.size(), static_cast<size_t>(kNameChars));
        EXPECT_GE(name.size(), static_cast<size_t>(kNameChars - 2));
        EXPECT_EQ(product.compare(0, name.size() - 1, name, 0, name.size() - 1), 0) << Narrow(name);
    }
}

TEST(UsbMapping, DevicesBeyondPortFifteenTakeTheHighestFreePlacesAndWhatIsMissingIsTold) {
    Scenario scenario = Mapped(Root(Ports(Device(2, u"Two"), Device(15, u"Fifteen"), Device(17, u"Seventeen"),
                                          Device(20, u"Twenty")), 20));
    EXPECT_EQ(scenario.units[0].ports, 15);
    const std::pair<const char*, int> places[] = {{"Two", 2}, {"Fifteen", 15}, {"Seventeen", 14}, {"Twenty", 13}};
    for (auto [name, port] : places) EXPECT_EQ(Find(scenario, name).port, port) << name;
    std::vector<PortFacts> full;
    for (int number = 1; number <= 16; ++number) full.push_back(Device(number, u"Mouse"));
    Scenario crowded = Mapped(Root(std::move(full), 16));
    EXPECT_EQ(crowded.units.size(), 16u);
    EXPECT_NE(crowded.computer.statusText.find("not shown"), std::string::npos) << crowded.computer.statusText;
    Snapshot snapshot = Root(Ports(Device(1, u"Mouse")));  // an incomplete pass says so
    std::string whole = Mapped(snapshot).computer.statusText;
    snapshot.complete = false;
    EXPECT_NE(Mapped(snapshot).computer.statusText, whole);
}

TEST(UsbMapping, EachDeviceIsMeasuredAtItsRootHubAndBusAddress) {
    auto at = [](PortFacts port, uint16_t address) { return port.address = address, port; };
    Snapshot first = Root(Ports(at(Device(1, u"Mouse"), 7), at(Hub(2, u"Desk", Ports(at(Device(3, u"Drive", {{8}}, 2), 9))), 8)));
    Snapshot second = Root(Ports(at(Device(1, u"Phone", {{6}}, 3), 7)));
    const std::string a = "\\\\.\\USB#ROOT_HUB30#A", b = "\\\\.\\USB#ROOT_HUB#B";
    first.controllers[0].rootHub->devicePath = a;
    second.controllers[0].rootHub->devicePath = b;
    first.controllers.push_back(second.controllers[0]);
    Scenario scenario = Mapped(first);
    const std::tuple<const char*, std::string, int> expected[] = {{"Mouse", a, 7}, {"Drive", a, 9}, {"Phone", b, 7}};
    for (const auto& [name, hub, address] : expected)
        EXPECT_EQ(std::tie(Find(scenario, name).busHub, Find(scenario, name).busAddress), std::tie(hub, address)) << name;
}

TEST(UsbMapping, GoneDevicesComeBackDisconnectedWhereTheyWereLastSeen) {
    Scenario previous = Mapped(Root(Ports(Device(1, u"Mouse"), Hub(2, u"Desk", Ports(Device(3, u"Drive", {{8}}, 2))),
                                          Hub(3, u"Pocket", Ports(Device(1, u"Phone", {{6}}, 3))))));
    Scenario next = Mapped(Root(Ports(Hub(2, u"Desk", {}), Device(1, u"Mouse")), 2), &previous);  // fewer ports
    const std::string &root = next.units[0].key, &desk = Find(next, "Desk").key;
    const std::tuple<const char*, bool, std::string, int> expected[] = {
        {"Mouse", true, root, 1}, {"Drive", false, desk, 3}, {"Phone", false, root, 2}};
    for (const auto& [name, plugged, parent, port] : expected) {
        const UnitEntry& unit = Find(next, name);
        EXPECT_EQ(std::tie(unit.plugged, unit.parent, unit.port), std::tie(plugged, parent, port)) << name;
    }
    EXPECT_EQ(next.units.size(), 5u);  // the gone hub is not kept, the mouse not twice
    // Still listed a pass later, the mouse now too.
    EXPECT_EQ(Mapped(Root(Ports(Hub(2, u"Desk", {}))), &next).units.size(), 5u);
}

}  // namespace
