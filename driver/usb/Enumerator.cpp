#include "driver/usb/Enumerator.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

#include "driver/Text.h"
#include "driver/usb/Descriptors.h"
#include "driver/usb/FileTime.h"
#include "driver/usb/UsbLayouts.h"

namespace linsett::usb {

namespace {

using namespace layout;

// A device has 500 ms to start answering a standard request and 50 ms more to finish it; one
// that has not answered within this long is not going to.
constexpr uint32_t kCallTimeoutMs = 600;
// How many passes a port that did not answer is left alone (at a look every 5 s, about 15 s).
constexpr uint8_t kRestPasses = 3;
// The root hub and five tiers of external hubs; anything deeper is a loop in what we read.
constexpr int kMaxHubDepth = 6;
constexpr uint32_t kMaxNameBytes = 4096;
constexpr size_t kMaxPipes = 32;
constexpr uint16_t kStringBytes = 255;
constexpr uint16_t kEnglish = 0x0409;
constexpr uint32_t kHasProblem = 0x400;  // DN_HAS_PROBLEM
// A request the pass did not send: the budget left could not cover its wait, or it was told to stop.
constexpr uint32_t kUnasked = ~0u;

bool Gone(uint32_t error) { return error == error::kDeviceNotConnected || error == error::kNoSuchDevice; }

// Errors after which nothing more is asked about the device in this step, as opposed to one
// request refused.
bool Lost(uint32_t error) {
    return Gone(error) || error == error::kSemTimeout || error == error::kOperationAborted || error == kUnasked;
}

std::u16string DeviceName(const std::u16string& name) { return u"\\\\.\\" + name; }

std::u16string FormatDate(uint64_t ticks) {
    if (!ticks) return {};
    Date date = DateFromFileTime(ticks);
    return Widen(std::to_string(date.month) + "-" + std::to_string(date.day) + "-" + std::to_string(date.year));
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The PCI programming interface from a compatible id such as PCI\CC_0C0330; the registry may
// hold anything after the prefix.
uint8_t ProgrammingInterface(const std::vector<std::u16string>& ids) {
    for (const std::u16string& id : ids) {
        std::string text = Narrow(id);
        std::transform(text.begin(), text.end(), text.begin(),
                       [](char c) { return char(std::toupper((unsigned char)c)); });
        size_t at = text.find("\\CC_0C03");
        if (at == std::string::npos || at + 10 != text.size()) continue;
        int high = HexDigit(text[at + 8]), low = HexDigit(text[at + 9]);
        if (high >= 0 && low >= 0) return uint8_t(high << 4 | low);
    }
    return 0;
}

// Nothing the hub or Windows reports tells the two apart: the same bus address (a new one at
// most plugs), descriptor and, when it was read, device node.
bool SameDevice(const PortFacts& before, const PortFacts& now) {
    return before.connection == now.connection && before.address == now.address &&
           before.vendorId == now.vendorId && before.productId == now.productId &&
           before.bcdDevice == now.bcdDevice && before.bcdUsb == now.bcdUsb && before.speed == now.speed &&
           (now.device.instanceId.empty() || before.device.instanceId == now.device.instanceId);
}

PortFacts EmptyPort(int number) {
    PortFacts port;
    port.number = number;
    return port;
}

void Silence(PortFacts& port) {
    port.silent = true;
    port.rest = kRestPasses;
}

class Pass {
public:
    Pass(UsbSystem& system, Snapshot& out, const PassOptions& options)
        : system_(system), out_(out), options_(options), deadline_(system.NowMs() + options.budgetMs) {
        if (!options.previous) return;
        for (const ControllerFacts& controller : options.previous->controllers) {
            if (!controller.device.instanceId.empty()) controllers_[controller.device.instanceId] = &controller;
            if (controller.rootHub) Remember(*controller.rootHub);
        }
    }

    void Run() {
        system_.BeginPass();
        out_.computerName = system_.ComputerName();
        for (const InterfaceEntry& entry : system_.ListInterfaces(InterfaceClass::HostController)) {
            Controller(entry, out_.controllers.emplace_back());
        }
    }

private:
    enum class Outcome { Done, Skipped, Silent, Resting, HubGone };

    // One control code through the pass's reused buffer. A request is sent only while the
    // budget covers its whole wait, so a timeout always means that the device did not answer.
    uint32_t Call(OpenDevice& device, uint32_t code, const uint8_t* in, uint32_t inSize, uint32_t outSize,
                  uint32_t& returned) {
        returned = 0;
        uint32_t error = kUnasked;
        bool stopping = options_.stop && options_.stop->load();
        if (!stopping && system_.NowMs() + kCallTimeoutMs <= deadline_) {
            if (buffer_.size() < outSize) buffer_.resize(outSize);
            error = system_.Control(device, code, in, inSize, buffer_.data(), outSize, returned, kCallTimeoutMs);
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
        if (device && Name(*device, kGetRootHubName, 0, rootHub)) {
            HubFacts& hub = controller.rootHub.emplace();
            hub.highSpeed = controller.programmingInterface >= 0x20;  // EHCI and xHCI
            Hub(DeviceName(rootHub), hub, 1);
            return;
        }
        out_.complete = false;
        // Not answered is not gone: the controller is there, so is the root hub the last pass read.
        auto before = controllers_.find(controller.device.instanceId);
        if (device && (lost_ == error::kSemTimeout || lost_ == kUnasked) && before != controllers_.end() &&
            before->second->rootHub) {
            controller.rootHub = before->second->rootHub;
            controller.rootHub->complete = false;
        }
    }

    // Reads the hub at path into hub. Returns 0, or the error that kept it from being read;
    // when it did not answer, the ports the last pass read there stand in.
    uint32_t Hub(const std::u16string& path, HubFacts& hub, int depth) {
        hub.devicePath = Narrow(path);
        uint32_t error = error::kInvalidFunction, returned = 0;
        std::unique_ptr<OpenDevice> device;
        if (depth <= kMaxHubDepth && visited_.insert(path).second) device = system_.Open(path, error);
        lost_ = 0;
        if (!device || Call(*device, kGetNodeInformation, nullptr, 0, node::kSize, returned) ||
            returned < node::kSize || ReadU32(buffer_.data() + node::kNodeType) != 0) {
            Incomplete(hub);
            if (!device) return error;
            auto before = hubs_.find(hub.devicePath);
            if ((lost_ == error::kSemTimeout || lost_ == kUnasked) && before != hubs_.end()) {
                hub.portCount = before->second->portCount;
                hub.selfPowered = before->second->selfPowered;
                hub.ports = before->second->ports;
            }
            return lost_ ? lost_ : error::kGenFailure;
        }
        hub.portCount = buffer_[node::kNumberOfPorts];
        hub.selfPowered = !buffer_[node::kHubIsBusPowered];
        hub.ports.resize(size_t(hub.portCount));
        for (size_t i = 0; i < hub.ports.size(); ++i) hub.ports[i].number = int(i + 1);
        for (PortFacts& port : hub.ports) {
            auto found = ports_.find({hub.devicePath, port.number});
            const PortFacts* before = found == ports_.end() ? nullptr : found->second;
            lost_ = 0;
            known_ = false;
            // Left alone for a while after it did not answer (see the README).
            Outcome outcome = before && before->rest && !options_.noticed ? Outcome::Resting
                                                                           : Port(*device, hub, port, before, depth);
            if (outcome == Outcome::Done) continue;
            Incomplete(hub);
            if (outcome == Outcome::HubGone) {
                port = EmptyPort(port.number);
                break;
            }
            Unfinished(before, port, outcome);
        }
        return 0;
    }

    // A port this pass did not finish. What the last pass read there stands in, unless this one
    // found another device; a device that did not answer is marked and left to rest.
    void Unfinished(const PortFacts* before, PortFacts& port, Outcome outcome) const {
        if (before && (!known_ || SameDevice(*before, port))) {
            port = *before;
        } else if (!known_) {
            port = EmptyPort(port.number);
        }
        if (outcome == Outcome::Resting) --port.rest;
        if (outcome == Outcome::Silent) Silence(port);
    }

    Outcome Stopped() const {
        if (Gone(lost_)) return Outcome::HubGone;
        return lost_ == error::kSemTimeout ? Outcome::Silent : Outcome::Skipped;
    }

    Outcome Port(OpenDevice& device, const HubFacts& hub, PortFacts& port, const PortFacts* before, int depth) {
        uint8_t in[connection::kSize] = {};
        WriteU32(in + connection::kIndex, uint32_t(port.number));
        uint32_t returned = 0;
        uint32_t error = Call(device, kGetConnectionInformationEx, in, sizeof in,
                              uint32_t(connection::kSize + kMaxPipes * connection::kPipeSize), returned);
        if (error || returned < connection::kSize ||
            ReadU32(buffer_.data() + connection::kIndex) != uint32_t(port.number)) {
            return Stopped();
        }
        const uint8_t* info = buffer_.data();
        uint32_t status = ReadU32(info + connection::kStatus);
        port.connection = status <= uint32_t(Connection::Reset) ? Connection(status) : Connection::GeneralFailure;
        port.isHub = info[connection::kDeviceIsHub] != 0;
        port.speed = Speed(std::min<uint8_t>(info[connection::kSpeed], uint8_t(Speed::Super)));
        port.address = ReadU16(info + connection::kDeviceAddress);
        StringIndexes strings =
            ParseDeviceDescriptor(info + connection::kDeviceDescriptor, descriptor::kDeviceSize, port);
        known_ = true;

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

        std::u16string driverKey;
        Name(device, kGetConnectionDriverKeyName, port.number, driverKey);
        if (lost_) return Stopped();
        NodeProperties node;
        Node(NodeKey::DriverKey, driverKey, port.device, node);

        if (port.connection == Connection::Connected && !Describe(device, port, strings, before)) return Stopped();

        if (port.isHub) {
            std::u16string hubName;
            if (!Name(device, kGetConnectionName, port.number, hubName)) return Stopped();
            port.hub.reset(new HubFacts);
            port.hub->highSpeed = port.speed >= Speed::High;
            // A hub that does not answer rests like a device that does not.
            if (Hub(DeviceName(hubName), *port.hub, depth + 1) == error::kSemTimeout) Silence(port);
        }
        return Outcome::Done;
    }

    // The device's strings and configuration, over the bus: kept from the last pass when it is
    // proven the same device, else asked for. False when it stopped answering.
    bool Describe(OpenDevice& device, PortFacts& port, StringIndexes strings, const PortFacts* before) {
        // Its configuration, the last thing asked, came back: everything before it was asked too.
        if (before && !before->silent && !before->interfaces.empty() && SameDevice(*before, port)) {
            // Two units of one model look alike to the hub, and a port may give the next one
            // the same address: only the serial tells them apart.
            std::optional<std::u16string> serial;
            uint16_t language = before->language;
            if (strings.serial && !language) language = Language(device, port.number);
            if (strings.serial && language) serial = String(device, port.number, strings.serial, language);
            if (lost_) return false;
            if (serial == before->serial) {
                port.manufacturer = before->manufacturer;
                port.product = before->product;
                port.serial = before->serial;
                port.language = before->language;
                port.deviceUsb2Capable = before->deviceUsb2Capable;
                port.interfaces = before->interfaces;
                port.maxPowerMa = before->maxPowerMa;
                port.selfPowered = before->selfPowered;
                return true;
            }
        }
        Strings(device, port, strings);
        if (lost_) return false;
        const uint8_t* data = nullptr;
        size_t size = 0;
        // Only a device that can run at high speed answers for its device qualifier.
        if (!port.deviceUsb2Capable && port.bcdUsb >= 0x0200 &&
            Descriptor(device, port.number, descriptor::kQualifier, 0, 0, descriptor::kQualifierSize, data, size)) {
            port.deviceUsb2Capable = IsDescriptor(data, size, descriptor::kQualifier, descriptor::kQualifierSize);
        }
        if (lost_) return false;
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
        return !lost_;
    }

    // The hubs and ports of the last pass by path and port number: what may be reused or kept.
    void Remember(const HubFacts& hub) {
        hubs_[hub.devicePath] = &hub;
        for (const PortFacts& port : hub.ports) {
            ports_[{hub.devicePath, port.number}] = &port;
            if (port.hub) Remember(*port.hub);
        }
    }

    // English when the device speaks it, else its first language; 0 when it has no strings.
    uint16_t Language(OpenDevice& device, int port) {
        const uint8_t* data = nullptr;
        size_t size = 0;
        if (!Descriptor(device, port, descriptor::kString, 0, 0, kStringBytes, data, size)) return 0;
        std::vector<uint16_t> languages = ParseLanguages(data, size);
        if (languages.empty()) return 0;
        return std::find(languages.begin(), languages.end(), kEnglish) != languages.end() ? kEnglish : languages[0];
    }

    std::optional<std::u16string> String(OpenDevice& device, int port, uint8_t index, uint16_t language) {
        const uint8_t* data = nullptr;
        size_t size = 0;
        if (!Descriptor(device, port, descriptor::kString, index, language, kStringBytes, data, size)) return {};
        return ParseString(data, size);
    }

    void Strings(OpenDevice& device, PortFacts& port, StringIndexes indexes) {
        if (!indexes.manufacturer && !indexes.product && !indexes.serial) return;
        port.language = Language(device, port.number);
        if (!port.language) return;
        std::pair<uint8_t, std::optional<std::u16string>*> wanted[] = {{indexes.manufacturer, &port.manufacturer},
                                                                       {indexes.product, &port.product},
                                                                       {indexes.serial, &port.serial}};
        for (auto& [index, text] : wanted) {
            if (index) *text = String(device, port.number, index, port.language);
            if (lost_) return;
        }
    }

    UsbSystem& system_;
    Snapshot& out_;
    const PassOptions& options_;
    const uint64_t deadline_;
    std::vector<uint8_t> buffer_;  // reused by every call, so what it held before is still there
    std::set<std::u16string> visited_;
    uint32_t lost_ = 0;     // the first call of the current step that found the device gone or silent
    bool known_ = false;    // the current port's connection facts were read
    std::map<std::string, const ControllerFacts*> controllers_;  // of the last pass, by instance id
    std::map<std::string, const HubFacts*> hubs_;
    std::map<std::pair<std::string, int>, const PortFacts*> ports_;
};

}  // namespace

bool Enumerate(UsbSystem& system, Snapshot& out, const PassOptions& options) {
    out = Snapshot{};
    Pass(system, out, options).Run();
    return out.complete;
}

}  // namespace linsett::usb
