#include "driver/usb/Enumerator.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <map>
#include <set>

#include "driver/Text.h"
#include "driver/usb/Descriptors.h"
#include "driver/usb/FileTime.h"
#include "driver/usb/UsbLayouts.h"

namespace linsett::usb {

namespace {

using namespace layout;
using Clock = std::chrono::steady_clock;

// A hub that holds on to one request this long is treated as gone for this pass.
constexpr uint32_t kCallTimeoutMs = 2000;
// The root hub and five tiers of external hubs; anything deeper is a loop in what we read.
constexpr int kMaxHubDepth = 6;
constexpr uint32_t kMaxNameBytes = 4096;
constexpr size_t kMaxPipes = 32;
constexpr uint16_t kStringBytes = 255;
constexpr uint16_t kEnglish = 0x0409;
constexpr uint32_t kHasProblem = 0x400;  // DN_HAS_PROBLEM

// Errors that say the device is no longer there to ask, as opposed to one request refused.
bool Lost(uint32_t error) {
    return error == error::kSemTimeout || error == error::kDeviceNotConnected || error == error::kNoSuchDevice ||
           error == error::kOperationAborted;
}

bool Gone(uint32_t error) { return error == error::kDeviceNotConnected || error == error::kNoSuchDevice; }

std::u16string DeviceName(const std::u16string& name) { return u"\\\\.\\" + name; }

std::u16string FormatDate(uint64_t ticks) {
    if (!ticks) return {};
    Date date = DateFromFileTime(ticks);
    return Widen(std::to_string(date.month) + "-" + std::to_string(date.day) + "-" + std::to_string(date.year));
}

// The PCI programming interface from a compatible id such as PCI\CC_0C0330.
uint8_t ProgrammingInterface(const std::vector<std::u16string>& ids) {
    for (const std::u16string& id : ids) {
        std::string text = Narrow(id);
        std::transform(text.begin(), text.end(), text.begin(),
                       [](char c) { return char(std::toupper((unsigned char)c)); });
        size_t at = text.find("\\CC_0C03");
        if (at == std::string::npos || at + 10 != text.size()) continue;
        return uint8_t(std::stoul(text.substr(at + 8), nullptr, 16));
    }
    return 0;
}

class Pass {
public:
    Pass(UsbSystem& system, Snapshot& out, uint32_t budgetMs, const Snapshot* previous)
        : system_(system), out_(out), deadline_(Clock::now() + std::chrono::milliseconds(budgetMs)) {
        if (previous)
            for (const ControllerFacts& controller : previous->controllers)
                if (controller.rootHub) Remember(*controller.rootHub);
    }

    void Run() {
        system_.BeginPass();
        out_.computerName = system_.ComputerName();
        for (const InterfaceEntry& entry : system_.ListInterfaces(InterfaceClass::HostController)) {
            Controller(entry, out_.controllers.emplace_back());
        }
    }

private:
    enum class Outcome { Done, Skipped, HubGone };

    // One control code through the pass's reused buffer; the budget is checked first.
    uint32_t Call(OpenDevice& device, uint32_t code, const uint8_t* in, uint32_t inSize, uint32_t outSize,
                  uint32_t& returned) {
        returned = 0;
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline_ - Clock::now()).count();
        uint32_t error = error::kSemTimeout;
        if (left > 0) {
            if (buffer_.size() < outSize) buffer_.resize(outSize);
            uint32_t timeout = uint32_t(std::min<long long>(left, kCallTimeoutMs));
            error = system_.Control(device, code, in, inSize, buffer_.data(), outSize, returned, timeout);
            returned = std::min(returned, outSize);
        }
        if (Lost(error) && !lost_) lost_ = error;
        return error;
    }

    // A name structure, asked for twice: once for its length, once whole.
    bool Name(OpenDevice& device, uint32_t code, int port, std::u16string& name) {
        size_t lengthAt = port ? portName::kActualLength : hcdName::kActualLength;
        size_t nameAt = port ? portName::kName : hcdName::kName;
        uint32_t fixed = uint32_t(nameAt + 2), returned = 0;
        uint8_t in[portName::kSize] = {};
        WriteU32(in, uint32_t(port));
        if (Call(device, code, in, fixed, fixed, returned) || returned < lengthAt + 4) return false;
        uint32_t length = ReadU32(buffer_.data() + lengthAt);
        if (length < fixed || length > kMaxNameBytes) return false;
        if (Call(device, code, in, fixed, length, returned)) return false;
        name.clear();
        for (size_t at = nameAt; at + 2 <= returned; at += 2) {
            char16_t c = char16_t(ReadU16(buffer_.data() + at));
            if (!c) break;
            name.push_back(c);
        }
        return !name.empty();
    }

    // A standard GET_DESCRIPTOR through the hub; data and size describe what came back.
    bool Descriptor(OpenDevice& hub, int port, uint8_t type, uint8_t index, uint16_t language, uint16_t length,
                    const uint8_t*& data, size_t& size) {
        uint8_t in[request::kData] = {};
        WriteU32(in + request::kIndex, uint32_t(port));
        in[request::kRequestType] = 0x80;
        in[request::kRequest] = request::kGetDescriptor;
        WriteU16(in + request::kValue, uint16_t(type << 8 | index));
        WriteU16(in + request::kLanguage, language);
        WriteU16(in + request::kLength, length);
        uint32_t returned = 0;
        if (Call(hub, kGetDescriptor, in, sizeof in, uint32_t(request::kData + length), returned)) return false;
        if (returned < request::kData) return false;
        data = buffer_.data() + request::kData;
        size = std::min<size_t>(returned - request::kData, length);
        return true;
    }

    bool Node(NodeKey by, const std::u16string& key, DeviceFacts& facts, NodeProperties& node) {
        if (key.empty() || !system_.Properties(by, key, node)) {
            facts.present = facts.hasDriver = false;
            return false;
        }
        facts.instanceId = Narrow(node.instanceId);
        facts.friendlyName = node.friendlyName.empty() ? node.description : node.friendlyName;
        facts.driverProvider = node.driverProvider;
        facts.driverDate = FormatDate(node.driverDate);
        facts.driverVersion = node.driverVersion;
        facts.hasDriver = !node.service.empty();
        facts.present = node.located;
        facts.nodeStatus = node.status;
        facts.problem = node.status & kHasProblem ? node.problem : 0;
        return true;
    }

    void Incomplete(HubFacts& hub) { hub.complete = out_.complete = false; }

    void Controller(const InterfaceEntry& entry, ControllerFacts& controller) {
        uint32_t error = 0;
        std::unique_ptr<OpenDevice> device = system_.Open(entry.devicePath, error);
        std::u16string driverKey, rootHub;
        NodeProperties node;
        lost_ = 0;
        if ((device && Name(*device, kGetHcdDriverKeyName, 0, driverKey) &&
             Node(NodeKey::DriverKey, driverKey, controller.device, node)) ||
            Node(NodeKey::InstanceId, entry.instanceId, controller.device, node)) {
            controller.programmingInterface = ProgrammingInterface(node.compatibleIds);
        }
        if (!device || !Name(*device, kGetRootHubName, 0, rootHub)) {
            out_.complete = false;
            return;
        }
        HubFacts& hub = controller.rootHub.emplace();
        hub.highSpeed = controller.programmingInterface >= 0x20;  // EHCI and xHCI
        Hub(DeviceName(rootHub), hub, 1);
    }

    void Hub(const std::u16string& path, HubFacts& hub, int depth) {
        hub.devicePath = Narrow(path);
        uint32_t error = 0, returned = 0;
        std::unique_ptr<OpenDevice> device;
        if (depth <= kMaxHubDepth && visited_.insert(path).second) device = system_.Open(path, error);
        lost_ = 0;
        if (!device || Call(*device, kGetNodeInformation, nullptr, 0, node::kSize, returned) ||
            returned < node::kSize || ReadU32(buffer_.data() + node::kNodeType) != 0) {
            return Incomplete(hub);
        }
        hub.portCount = buffer_[node::kNumberOfPorts];
        hub.selfPowered = !buffer_[node::kHubIsBusPowered];
        hub.ports.resize(size_t(hub.portCount));
        for (size_t i = 0; i < hub.ports.size(); ++i) hub.ports[i].number = int(i + 1);
        for (PortFacts& port : hub.ports) {
            lost_ = 0;
            Outcome outcome = Port(*device, hub, port, depth);
            if (outcome == Outcome::Done) continue;
            // Half of a port's facts would contradict the other half: the branch goes.
            int number = port.number;
            port = PortFacts{};
            port.number = number;
            Incomplete(hub);
            if (outcome == Outcome::HubGone) break;
        }
    }

    Outcome Stopped() const { return Gone(lost_) ? Outcome::HubGone : Outcome::Skipped; }

    Outcome Port(OpenDevice& device, const HubFacts& hub, PortFacts& port, int depth) {
        uint8_t in[connection::kSize] = {};
        WriteU32(in + connection::kIndex, uint32_t(port.number));
        uint32_t returned = 0;
        uint32_t error = Call(device, kGetConnectionInformationEx, in, sizeof in,
                              uint32_t(connection::kSize + kMaxPipes * connection::kPipeSize), returned);
        if (error || returned < connection::kSize ||
            ReadU32(buffer_.data() + connection::kIndex) != uint32_t(port.number)) {
            return Gone(error) ? Outcome::HubGone : Outcome::Skipped;
        }
        const uint8_t* info = buffer_.data();
        uint32_t status = ReadU32(info + connection::kStatus);
        port.connection = status <= uint32_t(Connection::Reset) ? Connection(status) : Connection::GeneralFailure;
        port.isHub = info[connection::kDeviceIsHub] != 0;
        port.speed = Speed(std::min<uint8_t>(info[connection::kSpeed], uint8_t(Speed::Super)));
        port.address = ReadU16(info + connection::kDeviceAddress);
        StringIndexes strings =
            ParseDeviceDescriptor(info + connection::kDeviceDescriptor, descriptor::kDeviceSize, port);

        // What the port itself supports, where the system can say.
        uint8_t in2[connection2::kSize] = {};
        WriteU32(in2 + connection2::kIndex, uint32_t(port.number));
        WriteU32(in2 + connection2::kLength, connection2::kSize);
        WriteU32(in2 + connection2::kProtocols, 7);
        bool superCapable = false;
        if (!Call(device, kGetConnectionInformationExV2, in2, sizeof in2, connection2::kSize, returned) &&
            returned >= connection2::kSize && ReadU32(buffer_.data() + connection2::kIndex) == uint32_t(port.number)) {
            port.portUsb2 = (ReadU32(buffer_.data() + connection2::kProtocols) & 2) != 0;
            superCapable = (ReadU32(buffer_.data() + connection2::kFlags) & 2) != 0;
        } else {
            if (lost_) return Stopped();
            port.portUsb2 = hub.highSpeed;
        }
        port.deviceUsb2Capable = port.speed >= Speed::High || superCapable;
        if (port.connection == Connection::NoDevice) return Outcome::Done;

        if (port.connection == Connection::Connected && Reuse(hub, port)) {
            // The same device as in the last pass: its descriptors cannot have changed.
        } else if (port.connection == Connection::Connected) {
            Strings(device, port, strings);
            if (lost_) return Stopped();
            const uint8_t* data = nullptr;
            size_t size = 0;
            // Only a device that can run at high speed answers for its device qualifier.
            if (!port.deviceUsb2Capable && port.bcdUsb >= 0x0200 &&
                Descriptor(device, port.number, descriptor::kQualifier, 0, 0, descriptor::kQualifierSize, data, size)) {
                port.deviceUsb2Capable = IsDescriptor(data, size, descriptor::kQualifier, descriptor::kQualifierSize);
            }
            if (lost_) return Stopped();
            // The configuration's header first, for its total length, then all of it.
            if (Descriptor(device, port.number, descriptor::kConfiguration, 0, 0, descriptor::kConfigurationSize, data,
                           size) &&
                IsDescriptor(data, size, descriptor::kConfiguration, descriptor::kConfigurationSize)) {
                uint16_t total = ReadU16(data + 2);
                if (total >= descriptor::kConfigurationSize &&
                    Descriptor(device, port.number, descriptor::kConfiguration, 0, 0, total, data, size)) {
                    ParseConfiguration(data, size, port);
                }
            }
            if (lost_) return Stopped();
        }

        std::u16string driverKey;
        Name(device, kGetConnectionDriverKeyName, port.number, driverKey);
        if (lost_) return Stopped();
        NodeProperties node;
        Node(NodeKey::DriverKey, driverKey, port.device, node);

        if (port.isHub) {
            std::u16string hubName;
            if (!Name(device, kGetConnectionName, port.number, hubName)) return lost_ ? Stopped() : Outcome::Skipped;
            port.hub = std::make_unique<HubFacts>();
            port.hub->highSpeed = port.speed >= Speed::High;
            Hub(DeviceName(hubName), *port.hub, depth + 1);
        }
        return Outcome::Done;
    }

    // The ports of the last pass by hub and port number, whose descriptors a pass may reuse.
    void Remember(const HubFacts& hub) {
        for (const PortFacts& port : hub.ports) {
            seen_[{hub.devicePath, port.number}] = &port;
            if (port.hub) Remember(*port.hub);
        }
    }

    // A device still at the bus address it had in the last pass has not been unplugged in
    // between; what its descriptors said (over the bus, the slow part of a pass) still holds.
    bool Reuse(const HubFacts& hub, PortFacts& port) const {
        auto found = seen_.find({hub.devicePath, port.number});
        if (found == seen_.end()) return false;
        const PortFacts& before = *found->second;
        if (before.connection != Connection::Connected || before.address != port.address ||
            before.vendorId != port.vendorId || before.productId != port.productId ||
            before.bcdDevice != port.bcdDevice || before.speed != port.speed) {
            return false;
        }
        port.manufacturer = before.manufacturer;
        port.product = before.product;
        port.serial = before.serial;
        port.deviceUsb2Capable = before.deviceUsb2Capable;
        port.interfaces = before.interfaces;
        port.maxPowerMa = before.maxPowerMa;
        port.selfPowered = before.selfPowered;
        return true;
    }

    void Strings(OpenDevice& device, PortFacts& port, StringIndexes indexes) {
        if (!indexes.manufacturer && !indexes.product && !indexes.serial) return;
        const uint8_t* data = nullptr;
        size_t size = 0;
        if (!Descriptor(device, port.number, descriptor::kString, 0, 0, kStringBytes, data, size)) return;
        std::vector<uint16_t> languages = ParseLanguages(data, size);
        if (languages.empty()) return;
        uint16_t language =
            std::find(languages.begin(), languages.end(), kEnglish) != languages.end() ? kEnglish : languages[0];
        std::pair<uint8_t, std::optional<std::u16string>*> wanted[] = {{indexes.manufacturer, &port.manufacturer},
                                                                       {indexes.product, &port.product},
                                                                       {indexes.serial, &port.serial}};
        for (auto& [index, text] : wanted) {
            if (index &&
                Descriptor(device, port.number, descriptor::kString, index, language, kStringBytes, data, size)) {
                *text = ParseString(data, size);
            }
            if (lost_) return;
        }
    }

    UsbSystem& system_;
    Snapshot& out_;
    Clock::time_point deadline_;
    std::vector<uint8_t> buffer_;  // reused by every call, so what it held before is still there
    std::set<std::u16string> visited_;
    uint32_t lost_ = 0;  // the first call of the current step that found the device gone
    std::map<std::pair<std::string, int>, const PortFacts*> seen_;
};

}  // namespace

bool Enumerate(UsbSystem& system, Snapshot& out, uint32_t budgetMs, const Snapshot* previous) {
    out = Snapshot{};
    Pass(system, out, budgetMs, previous).Run();
    return out.complete;
}

}  // namespace linsett::usb
