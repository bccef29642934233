// The enumerator over recorded USB trees: each fixture's meaning, read back as Snapshot facts.
#include <gtest/gtest.h>
#include <windows.h>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <utility>
#include "driver/usb/Enumerator.h"
#include "driver/usb/ReplayUsbSystem.h"
#include "driver/usb/UsbLayouts.h"
#include "tests/unit/driver/usb/WrappedSystem.h"

namespace linsett::usb {
namespace {

// Budget generous enough that a replay never meets it: nothing here depends on the clock.
constexpr uint32_t kBudgetMs = 60000;

// A recorded tree as it is after the hardware changed: each text replaced once.
std::unique_ptr<UsbSystem> Replayed(const std::string& name,
                                    std::initializer_list<std::pair<std::string, std::string>> changes) {
    std::ifstream file(std::string(USB_FIXTURE_DIR) + "/" + name, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    for (const auto& [from, to] : changes) {
        const size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        if (at != std::string::npos) text.replace(at, from.size(), to);
    }
    const std::string path = testing::TempDir() + "changed-" + name;
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
    std::string error;
    std::unique_ptr<UsbSystem> system = LoadReplaySystem(path, error);
    EXPECT_TRUE(system) << error;
    return system;
}

Snapshot Load(const std::string& name) {
    std::unique_ptr<UsbSystem> system = Replayed(name, {});
    Snapshot snapshot;
    if (system) { EXPECT_EQ(Enumerate(*system, snapshot, {kBudgetMs}), snapshot.complete); }
    return snapshot;
}

const HubFacts& RootHub(const Snapshot& snapshot) {
    static const HubFacts none;
    return snapshot.controllers.empty() || !snapshot.controllers[0].rootHub ? none : *snapshot.controllers[0].rootHub;
}

// The port reached by port numbers from the first root hub: {3, 1} is port 1 of the hub on port 3.
const PortFacts& At(const Snapshot& snapshot, std::initializer_list<int> path) {
    static const PortFacts none;
    const HubFacts* hub = &RootHub(snapshot);
    const PortFacts* port = &none;
    for (int number : path) {
        if (!hub || number < 1 || size_t(number) > hub->ports.size()) return none;
        port = &hub->ports[size_t(number - 1)];
        hub = port->hub.get();
    }
    return *port;
}

int CountDevices(const HubFacts& hub, int depth, int& deepest) {
    int count = 0;
    deepest = std::max(deepest, depth);
    for (const PortFacts& port : hub.ports) {
        if (port.connection != Connection::NoDevice) ++count;
        if (port.hub) count += CountDevices(*port.hub, depth + 1, deepest);
    }
    return count;
}

// Serials, products and interface counts of the laptop are read back by the tests of later passes.
TEST(Enumerator, LaptopControllerHubsAndDevices) {
    Snapshot laptop = Load("laptop.json");
    ASSERT_EQ(laptop.controllers.size(), 1u);
    const ControllerFacts& controller = laptop.controllers[0];
    EXPECT_EQ(laptop.computerName, u"LAPTOP-7K2Q");
    EXPECT_EQ(controller.programmingInterface, 0x30);
    EXPECT_EQ(controller.device.driverDate, u"6-21-2006");
    EXPECT_EQ(controller.device.driverVersion, u"10.0.19041.1202");
    ASSERT_EQ(RootHub(laptop).portCount, 6);
    EXPECT_TRUE(RootHub(laptop).highSpeed);

    const PortFacts& mouse = At(laptop, {1});
    EXPECT_EQ(mouse.vendorId, 0x046D);
    EXPECT_EQ(mouse.productId, 0xC077);
    EXPECT_EQ(mouse.speed, Speed::Low);
    EXPECT_FALSE(mouse.serial);
    EXPECT_EQ(mouse.device.instanceId, "USB\\VID_046D&PID_C077\\5&2A3D4B5C&0&1");
    EXPECT_EQ(At(laptop, {2}).connection, Connection::NoDevice);
    // The two SuperSpeed-only ports have no USB 2.0 signalling; the others do.
    for (int number = 1; number <= 6; ++number) EXPECT_EQ(At(laptop, {number}).portUsb2, number <= 4) << number;

    const PortFacts& hub = At(laptop, {3});
    ASSERT_TRUE(hub.isHub && hub.hub);
    EXPECT_EQ(hub.hub->portCount, 4);
    EXPECT_FALSE(hub.hub->selfPowered);
    EXPECT_TRUE(hub.hub->highSpeed);

    const PortFacts& camera = At(laptop, {3, 1});
    EXPECT_EQ(camera.maxPowerMa, 500);
    ASSERT_EQ(camera.interfaces.size(), 2u);  // the streaming interface's settings merged
    EXPECT_EQ(camera.interfaces[0].interfaceClass, 0x0E);
    EXPECT_FALSE(camera.interfaces[0].isochronous);
    EXPECT_TRUE(camera.interfaces[1].isochronous);
    EXPECT_EQ(camera.interfaces[1].largestPacket, 1024);  // 0x1400: 1024 bytes, two extra transactions

    const PortFacts& bluetooth = At(laptop, {3, 2});
    EXPECT_EQ(bluetooth.deviceClass, 0xE0);
    EXPECT_FALSE(bluetooth.manufacturer || bluetooth.product || bluetooth.serial);
    ASSERT_EQ(bluetooth.interfaces.size(), 2u);
    EXPECT_TRUE(bluetooth.interfaces[0].bulk);
    EXPECT_FALSE(bluetooth.interfaces[0].isochronous);
    EXPECT_TRUE(bluetooth.interfaces[1].isochronous);
    EXPECT_EQ(bluetooth.interfaces[1].largestPacket, 63);
    EXPECT_EQ(bluetooth.device.driverProvider, u"Intel Corporation");
    EXPECT_EQ(At(laptop, {3, 3}).interfaces.at(0).interfaceClass, 0xFF);
}

TEST(Enumerator, DeskReachesEveryDeviceThroughFiveHubs) {
    Snapshot desk = Load("desk.json");
    int deepest = 0;
    EXPECT_EQ(CountDevices(RootHub(desk), 0, deepest), 127);
    EXPECT_EQ(deepest, 5);
    EXPECT_TRUE(desk.complete);
    const PortFacts& last = At(desk, {1, 7, 7, 7, 7, 4});  // the fifth hub's last device
    EXPECT_NE(last.vendorId, 0);
    EXPECT_FALSE(last.device.instanceId.empty());
}

// The replay counting descriptor requests (they go over the bus) and unanswered ones with their cost.
class Counting : public WrappedSystem {
public:
    using WrappedSystem::WrappedSystem;
    uint32_t Control(OpenDevice& device, uint32_t code, const void* in, uint32_t inSize, void* out, uint32_t outSize,
                     uint32_t& returned, uint32_t timeoutMs) override {
        requests += code == layout::kGetDescriptor;
        uint32_t error = WrappedSystem::Control(device, code, in, inSize, out, outSize, returned, timeoutMs);
        if (error == error::kSemTimeout) {
            ++timedOut;
            waitedMs += timeoutMs;
        }
        return error;
    }
    int requests = 0, timedOut = 0;
    uint64_t waitedMs = 0;
};

int CountSerials(const HubFacts& hub) {
    int count = 0;
    for (const PortFacts& port : hub.ports) count += bool(port.serial) + (port.hub ? CountSerials(*port.hub) : 0);
    return count;
}

TEST(Enumerator, DevicesProvenTheSameKeepTheirDescriptorsAndOnlyTheirSerialsAreAskedAgain) {
    Counting system(Replayed("laptop.json", {}));
    Snapshot first, second, third;
    Enumerate(system, first, {kBudgetMs});
    const int asked = std::exchange(system.requests, 0);
    Enumerate(system, second, {kBudgetMs, &first});
    EXPECT_EQ(system.requests, CountSerials(RootHub(first)));
    EXPECT_GT(asked, system.requests);
    EXPECT_EQ(At(second, {1}).product, std::u16string(u"USB Optical Mouse"));
    EXPECT_EQ(At(second, {3, 1}).interfaces.size(), At(first, {3, 1}).interfaces.size());
    EXPECT_EQ(At(second, {3, 1}).maxPowerMa, At(first, {3, 1}).maxPowerMa);
    // A new address: the mouse was plugged in again, and may be another mouse.
    const_cast<PortFacts&>(At(first, {1})).address ^= 1;
    system.requests = 0;
    Enumerate(system, third, {kBudgetMs, &first});
    EXPECT_GT(system.requests, CountSerials(RootHub(first)));
    EXPECT_LT(system.requests, asked);
}

TEST(Enumerator, UnitsOfOneModelSwappedOnOnePortKeepTheirOwnSerials) {
    // The same address for the newcomer, and, where Windows is told to ignore serials, the same
    // device node: only the serial string tells the two fingerprint readers apart.
    const std::pair<std::string, std::string> byPlace{R"(\\B0E1A2C3D4F5")", R"(\\6&1&0&3")"},
        other{"b0e1a2c3d4f5", "c9d8e7f6a5b4"}, otherNode{R"(\\B0E1A2C3D4F5")", R"(\\C9D8E7F6A5B4")"};
    const struct {
        std::unique_ptr<UsbSystem> before, after;
    } cases[] = {{Replayed("laptop.json", {}), Replayed("laptop.json", {other, otherNode})},
                 {Replayed("laptop.json", {byPlace}), Replayed("laptop.json", {byPlace, other})}};
    for (const auto& c : cases) {
        Snapshot first, second, back;
        Enumerate(*c.before, first, {kBudgetMs});
        Enumerate(*c.after, second, {kBudgetMs, &first});
        Enumerate(*c.before, back, {kBudgetMs, &second});
        EXPECT_EQ(At(first, {3, 3}).address, At(second, {3, 3}).address);
        EXPECT_EQ(At(second, {3, 3}).serial, u"c9d8e7f6a5b4");
        EXPECT_EQ(At(back, {3, 3}).serial, u"b0e1a2c3d4f5");
    }
}

TEST(Enumerator, AStuckPortCostsOneWaitKeepsItsDeviceMarkedAndRests) {
    const std::pair<std::string, std::string> mouse{R"("port": 1, "speed": "low")",
                                                    R"("port": 1, "fault": "timeout", "speed": "low")"};
    Snapshot first = Load("laptop.json");
    Counting stuck(Replayed("laptop.json", {mouse}));
    // On its own the first port costs one wait, well within the budget; every port after it is read.
    Snapshot alone;
    const uint64_t start = stuck.NowMs();
    Enumerate(stuck, alone);
    EXPECT_EQ(stuck.timedOut, 1);
    EXPECT_EQ(stuck.NowMs() - start, stuck.waitedMs);
    EXPECT_LT(2 * stuck.waitedMs, kPassBudgetMs);
    EXPECT_FALSE(RootHub(alone).complete);
    ASSERT_TRUE(At(alone, {3}).hub);
    EXPECT_TRUE(At(alone, {3}).hub->complete);
    for (int port : {1, 2, 3}) EXPECT_EQ(At(alone, {3, port}).serial, At(first, {3, port}).serial) << port;
    EXPECT_EQ(At(alone, {3, 3}).interfaces.size(), 1u);

    // After a pass that saw it, it keeps that device, marked as not answering.
    Snapshot second, third, noticed;
    Enumerate(stuck, second, {kPassBudgetMs, &first});
    EXPECT_EQ(stuck.timedOut, 2);
    EXPECT_TRUE(At(second, {1}).silent);
    EXPECT_EQ(At(second, {1}).connection, Connection::Connected);
    EXPECT_EQ(At(second, {1}).product, u"USB Optical Mouse");
    EXPECT_FALSE(RootHub(second).complete);
    // It rests: the next pass does not ask it, unless a device notice came.
    Enumerate(stuck, third, {kPassBudgetMs, &second});
    EXPECT_EQ(stuck.timedOut, 2);
    EXPECT_TRUE(At(third, {1}).silent);
    EXPECT_EQ(At(third, {1}).product, u"USB Optical Mouse");
    Enumerate(stuck, noticed, {kPassBudgetMs, &third, true});
    EXPECT_EQ(stuck.timedOut, 3);
    // Unannounced, it is asked again after a while.
    Snapshot last = noticed;
    int passes = 0;
    for (Snapshot next; stuck.timedOut == 3 && passes < 20; ++passes, last = next)
        Enumerate(stuck, next, {kPassBudgetMs, &last});
    EXPECT_LT(passes, 20);
    EXPECT_EQ(At(last, {1}).product, u"USB Optical Mouse");

    // A device whose hub still answers for it shows what the hub knows, and what it said before.
    Counting mute(Replayed("laptop.json", {{R"("port": 3, "speed": "full")",
                                            R"("port": 3, "speed": "full", "fault": "descriptor-timeout")"}}));
    Snapshot partial, kept;
    Enumerate(mute, partial);
    Enumerate(mute, kept, {kPassBudgetMs, &first});
    EXPECT_EQ(mute.timedOut, 2);
    for (const Snapshot* snapshot : {&partial, &kept}) EXPECT_TRUE(At(*snapshot, {3, 3}).silent);
    EXPECT_EQ(At(partial, {3, 3}).vendorId, 0x06CB);
    EXPECT_FALSE(At(partial, {3, 3}).serial);
    EXPECT_EQ(At(kept, {3, 3}).serial, u"b0e1a2c3d4f5");
    EXPECT_EQ(At(kept, {3, 3}).interfaces.size(), 1u);
}

TEST(Enumerator, ControllerIdsWhateverTheRegistryHolds) {
    const std::pair<const char*, uint8_t> cases[] = {
        {R"("PCI\\CC_0C03ZZ", "PCI\\CC_0C0320")", 0x20},  // a garbled one is passed over
        {R"("PCI\\CC_0C03-1")", 0},
    };
    for (const auto& [ids, expected] : cases) {
        std::unique_ptr<UsbSystem> system = Replayed("laptop.json", {{R"("PCI\\CC_0C0330")", ids}});
        Snapshot snapshot;
        if (system) Enumerate(*system, snapshot, {kBudgetMs});
        ASSERT_EQ(snapshot.controllers.size(), 1u) << ids;
        EXPECT_EQ(snapshot.controllers[0].programmingInterface, expected) << ids;
    }
}

TEST(Enumerator, FailingDevicesKeepTheirProblemCodes) {
    Snapshot pc = Load("code43.json");
    const PortFacts& phone = At(pc, {1});
    EXPECT_EQ(phone.connection, Connection::Connected);
    EXPECT_EQ(phone.device.problem, 43u);
    EXPECT_FALSE(phone.product);  // it answers no descriptor requests
    EXPECT_TRUE(phone.interfaces.empty());
    const PortFacts& unknown = At(pc, {2});
    EXPECT_EQ(unknown.connection, Connection::FailedEnumeration);
    EXPECT_EQ(unknown.device.problem, 43u);
    EXPECT_FALSE(unknown.device.hasDriver);
    EXPECT_EQ(At(pc, {3}).device.problem, 0u);
    EXPECT_TRUE(At(pc, {3}).device.hasDriver);
    EXPECT_TRUE(pc.complete);  // refusals are answers
}

TEST(Enumerator, HighSpeedDeviceOnFullSpeedPort) {
    Snapshot office = Load("slow-port.json");
    ASSERT_EQ(office.controllers.size(), 2u);
    // Without the V2 answer a port is as fast as its hub.
    EXPECT_TRUE(office.controllers[0].rootHub->ports[0].portUsb2);
    const HubFacts& root = *office.controllers[1].rootHub;
    ASSERT_TRUE(root.ports[0].hub);
    const HubFacts& hub = *root.ports[0].hub;
    EXPECT_FALSE(hub.highSpeed);  // the stick on it, a 2.0 device on a 1.1 port, the library's tests judge
    // A 2.0 descriptor alone does not make a device fast: it has no device qualifier.
    EXPECT_EQ(hub.ports[2].bcdUsb, 0x0200);
    EXPECT_FALSE(hub.ports[2].deviceUsb2Capable);
}

TEST(Enumerator, OverCurrentPortAmongWorkingOnes) {
    Snapshot studio = Load("overcurrent.json");
    const PortFacts& hubPort = At(studio, {2});
    ASSERT_TRUE(hubPort.hub);
    EXPECT_TRUE(hubPort.hub->selfPowered);
    EXPECT_TRUE(hubPort.selfPowered);
    EXPECT_EQ(hubPort.maxPowerMa, 0);
    EXPECT_TRUE(hubPort.hub->complete);
    // The failing ports' states show in the severities the library's tests read.
    EXPECT_EQ(At(studio, {2, 4}).vendorId, 0x1058);
    EXPECT_EQ(At(studio, {2, 4}).device.instanceId, "");  // no driver key, no node
    EXPECT_TRUE(At(studio, {2, 1}).selfPowered);  // the printer
    const PortFacts& dac = At(studio, {2, 2});
    EXPECT_EQ(dac.maxPowerMa, 100);
    EXPECT_FALSE(dac.selfPowered);
}

// The serial adapter beside it, named by Windows alone, is the library's tests' to judge.
TEST(Enumerator, ADeviceThatSpeaksOnlyGermanStillNamesItself) {
    Snapshot bench = Load("nostrings.json");
    EXPECT_EQ(At(bench, {2}).product, u"CHERRY Tastatur");
    EXPECT_EQ(At(bench, {2}).manufacturer, u"Cherry GmbH");
}

TEST(Enumerator, VanishedHubAndStuckPortSkippedTheRestKept) {
    Snapshot desk = Load("vanishing.json");
    EXPECT_FALSE(desk.complete);
    const PortFacts& gone = At(desk, {1});
    ASSERT_TRUE(gone.hub);
    EXPECT_FALSE(gone.hub->complete);
    EXPECT_EQ(gone.device.instanceId, "USB\\VID_05E3&PID_0608\\5&11AA22BB&0&1");
    EXPECT_EQ(At(desk, {1, 1}).product, u"Dell KB216 Wired Keyboard");
    EXPECT_EQ(At(desk, {1, 2}).vendorId, 0x046D);
    for (int port : {3, 5, 6}) EXPECT_EQ(At(desk, {1, port}).vendorId, 0) << port;
    EXPECT_EQ(At(desk, {2}).product, u"Dell KB216 Wired Keyboard");
    const PortFacts& stuck = At(desk, {3});
    ASSERT_TRUE(stuck.hub);
    EXPECT_FALSE(stuck.hub->complete);
    EXPECT_EQ(At(desk, {3, 2}).vendorId, 0);
    EXPECT_EQ(At(desk, {3, 3}).product, u"USB Optical Mouse");
    EXPECT_TRUE(RootHub(desk).complete);
}

TEST(Enumerator, LyingLengthsReadOnlyWhatCameBack) {
    Snapshot bench = Load("lying.json");
    const PortFacts& liar = At(bench, {2});
    EXPECT_TRUE(liar.manufacturer);
    EXPECT_FALSE(liar.product);  // claims 32 bytes, sent 6
    // Claims 256 bytes, sent 25; the buffer beyond still holds its manufacturer string.
    ASSERT_EQ(liar.interfaces.size(), 1u);
    EXPECT_EQ(liar.interfaces[0].interfaceClass, 3);
    EXPECT_EQ(liar.interfaces[0].largestPacket, 4);
    const PortFacts& gadget = At(bench, {3});
    ASSERT_EQ(gadget.interfaces.size(), 1u);
    EXPECT_FALSE(gadget.interfaces[0].bulk);  // its endpoint runs past the configuration
    EXPECT_EQ(At(bench, {1}).interfaces.size(), 4u);
}

TEST(Enumerator, SpentBudgetStopsThePassSaysSoAndKeepsWhatItDidNotReach) {
    std::unique_ptr<UsbSystem> system = Replayed("laptop.json", {});
    ASSERT_TRUE(system);
    Snapshot snapshot, first, kept;
    EXPECT_FALSE(Enumerate(*system, snapshot, {0}));
    ASSERT_EQ(snapshot.controllers.size(), 1u);
    EXPECT_FALSE(snapshot.controllers[0].rootHub && snapshot.controllers[0].rootHub->complete);
    // Not asked is neither gone nor silent.
    Enumerate(*system, first, {kBudgetMs});
    EXPECT_FALSE(Enumerate(*system, kept, {0, &first}));
    EXPECT_FALSE(RootHub(kept).complete);
    EXPECT_EQ(At(kept, {3, 3}).serial, At(first, {3, 3}).serial);
    EXPECT_FALSE(At(kept, {3, 3}).silent);
}

TEST(Enumerator, MalformedFixturesAreRefusedWithFileLineAndProblem) {
    const struct {
        const char* text;
        const char* problem;
    } cases[] = {
        {"{\"controllers\": [", "bad.json: line 1: "},
        {"{\"computer\": \"A\"}", "bad.json: line 1: a fixture needs a \"controllers\" array"},
        {"{\"controllers\": [{\"path\": \"p\",\n \"nod\": {}}]}", "bad.json: line 2: unknown field \"nod\""},
        {"{\"controllers\": [{\"path\": \"p\", \"node\": {\"instanceId\": \"I\"},\n \"rootHub\": {\"name\": \"h\", "
         "\"ports\": 2, \"connections\": [{\"port\": 3}]}}]}",
         "bad.json: line 2: \"port\" is out of range"},
        {"{\"controllers\": [{\"path\": \"p\", \"node\": {\"instanceId\": \"I\"}, \"rootHub\": {\"name\": \"h\", "
         "\"ports\": 2, \"connections\": [{\"port\": 1,\n \"device\": \"phone\"}]}}]}",
         "bad.json: line 2: no device \"phone\""},
        {"{\"controllers\": [{\"path\": \"p\", \"node\": {\"instanceId\": \"I\"}, \"rootHub\": {\"name\": \"h\", "
         "\"ports\": 2, \"connections\": [{\"port\": 1, \"device\": {\n\"configurationHex\": \"09 0\"}}]}}]}",
         "bad.json: line 2: not a string of hex bytes"},
        {"{\"controllers\": [{\"path\": \"p\", \"node\": {\"instanceId\": \"I\",\n\"date\": \"2006-06-21\"}}]}",
         "bad.json: line 2: \"date\" must be month-day-year"},
        {"{\"controllers\": [{\"path\": \"p\", \"node\": {\"instanceId\": \"I\"}, \"rootHub\": {\"name\": \"h\", "
         "\"ports\": 2,\n\"capture\": \"..\\\\secret.pcap\"}}]}",
         "bad.json: line 2: \"capture\" names a file in the fixture's folder, for a root hub"},
    };
    std::string path = testing::TempDir() + "bad.json";
    for (const auto& c : cases) {
        std::ofstream(path, std::ios::binary) << c.text;
        std::string error;
        EXPECT_FALSE(LoadReplaySystem(path, error)) << c.text;
        EXPECT_EQ(error.find(path + ": line"), 0u) << error;
        EXPECT_NE(error.find(c.problem), std::string::npos) << error;
    }
    std::string error;
    EXPECT_FALSE(LoadReplaySystem(path + ".missing", error));
    EXPECT_EQ(error, path + ".missing: no such file");
}

TEST(Enumerator, EnvironmentPicksTheReplayElseTheRealSystem) {
    std::string error;
    ASSERT_TRUE(SetEnvironmentVariableA("LINSETT_REPLAY", (std::string(USB_FIXTURE_DIR) + "/code43.json").c_str()));
    std::unique_ptr<UsbSystem> replay = MakeSystem(error);
    ASSERT_TRUE(replay) << error;
    EXPECT_EQ(replay->ComputerName(), u"WORKSHOP-PC");
    ASSERT_TRUE(SetEnvironmentVariableA("LINSETT_REPLAY", nullptr));
    std::unique_ptr<UsbSystem> real = MakeSystem(error);
    ASSERT_TRUE(real);
    EXPECT_NE(real->ComputerName(), u"WORKSHOP-PC");
    // Whatever the machine has (under Wine: nothing), a pass ends and reads only what it finds.
    Snapshot snapshot;
    Enumerate(*real, snapshot, {kBudgetMs});
    EXPECT_FALSE(snapshot.computerName.empty());
}

}  // namespace
}  // namespace linsett::usb
