#include "driver/usb/ReplayUsbSystem.h"

#include <algorithm>
#include <cstring>

#include "driver/FileIo.h"
#include "driver/usb/ReplayFixture.h"
#include "driver/usb/UsbLayouts.h"

namespace linsett::usb {

namespace {

using namespace layout;
using replay::Fixture;
using replay::Hub;
using replay::Port;

constexpr uint8_t kHubDescriptorType = 0x29;
constexpr uint16_t kHubCharacteristics = 0x0009;  // per-port power switching and over-current

class ReplayDevice : public OpenDevice {
public:
    ReplayDevice(bool controller, size_t index) : controller(controller), index(index) {}
    const bool controller;
    const size_t index;
};

bool StartsWith(const std::u16string& text, const std::u16string& prefix) { return text.rfind(prefix, 0) == 0; }

class ReplayUsbSystem : public UsbSystem {
public:
    explicit ReplayUsbSystem(Fixture fixture) : fixture_(std::move(fixture)) {}

    std::u16string ComputerName() override { return fixture_.computer; }

    std::vector<InterfaceEntry> ListInterfaces(InterfaceClass which) override {
        std::vector<InterfaceEntry> entries;
        if (which == InterfaceClass::HostController) {
            for (const auto& controller : fixture_.controllers)
                entries.push_back({controller.path, controller.instanceId});
        } else {
            for (const Hub& hub : fixture_.hubs) entries.push_back({u"\\\\?\\" + hub.name, hub.instanceId});
        }
        return entries;
    }

    std::unique_ptr<OpenDevice> Open(const std::u16string& path, uint32_t& error) override {
        error = 0;
        for (size_t i = 0; i < fixture_.controllers.size(); ++i) {
            if (fixture_.controllers[i].path == path) return std::make_unique<ReplayDevice>(true, i);
        }
        if (StartsWith(path, u"\\\\.\\") || StartsWith(path, u"\\\\?\\")) {
            for (size_t i = 0; i < fixture_.hubs.size(); ++i) {
                if (path.compare(4, std::u16string::npos, fixture_.hubs[i].name) == 0) {
                    return std::make_unique<ReplayDevice>(false, i);
                }
            }
        }
        error = error::kFileNotFound;
        return nullptr;
    }

    uint32_t Control(OpenDevice& device, uint32_t code, const void* in, uint32_t inSize, void* out, uint32_t outSize,
                     uint32_t& returned, uint32_t timeoutMs) override {
        returned = 0;
        auto& opened = dynamic_cast<ReplayDevice&>(device);
        in_ = static_cast<const uint8_t*>(in);
        inSize_ = in ? inSize : 0;
        out_ = static_cast<uint8_t*>(out);
        outSize_ = out ? outSize : 0;
        returned_ = &returned;
        timeoutMs_ = timeoutMs;
        return opened.controller ? ControllerCall(fixture_.controllers[opened.index], code)
                                 : HubCall(fixture_.hubs[opened.index], code);
    }

    bool Properties(NodeKey by, const std::u16string& key, NodeProperties& out) override {
        const auto& index = by == NodeKey::DriverKey ? fixture_.nodeByDriverKey : fixture_.nodeByInstanceId;
        auto found = index.find(key);
        if (found == index.end()) return false;
        out = fixture_.nodes[found->second];
        return true;
    }

    // Simulated: only a request that is never answered takes time, the whole of its wait.
    uint64_t NowMs() override { return nowMs_; }

private:
    uint32_t ControllerCall(const replay::Controller& controller, uint32_t code) {
        if (code == kGetRootHubName && controller.rootHub >= 0) {
            return WriteName(hcdName::kActualLength, hcdName::kName, fixture_.hubs[size_t(controller.rootHub)].name);
        }
        if (code == kGetHcdDriverKeyName && !controller.driverKey.empty()) {
            return WriteName(hcdName::kActualLength, hcdName::kName, controller.driverKey);
        }
        return error::kInvalidFunction;
    }

    uint32_t HubCall(Hub& hub, uint32_t code) {
        // A hub that was unplugged stays gone.
        if (hub.vanishAfterCalls == 0) return error::kDeviceNotConnected;
        if (hub.vanishAfterCalls > 0) --hub.vanishAfterCalls;
        if (code == kGetNodeInformation) return NodeInformation(hub);
        if (code == kGetConnectionInformationExV2 && !hub.answersV2) return error::kInvalidFunction;
        if (inSize_ < 4) return error::kInvalidParameter;
        uint32_t number = ReadU32(in_);
        if (!number || number > hub.ports.size()) return error::kInvalidParameter;
        Port& port = hub.ports[number - 1];
        if (port.fault && (!port.faultOnDescriptors || code == kGetDescriptor)) {
            if (port.fault == error::kSemTimeout) nowMs_ += timeoutMs_;
            return port.fault;
        }
        switch (code) {
        case kGetConnectionInformationEx: return ConnectionInformation(port, number);
        case kGetConnectionInformationExV2: return ConnectionInformationV2(port, number);
        case kGetConnectionName:
            if (outSize_ < portName::kSize) return error::kInsufficientBuffer;
            WriteU32(out_, number);
            return WriteName(portName::kActualLength, portName::kName,
                             port.hub >= 0 ? fixture_.hubs[size_t(port.hub)].name : std::u16string());
        case kGetConnectionDriverKeyName:
            if (port.driverKey.empty()) return error::kInvalidParameter;
            if (outSize_ < portName::kSize) return error::kInsufficientBuffer;
            WriteU32(out_, number);
            return WriteName(portName::kActualLength, portName::kName, port.driverKey);
        case kGetDescriptor: return Descriptor(port);
        default: return error::kInvalidFunction;
        }
    }

    // The driver fills what fits and always says how long the whole answer is.
    uint32_t WriteName(size_t lengthAt, size_t nameAt, const std::u16string& name) {
        if (outSize_ < nameAt + 2) return error::kInsufficientBuffer;
        uint32_t length = uint32_t(nameAt + 2 * (name.size() + 1));
        WriteU32(out_ + lengthAt, length);
        uint32_t written = std::min(outSize_, length);
        for (size_t i = 0; nameAt + 2 * i + 2 <= written; ++i)
            WriteU16(out_ + nameAt + 2 * i, i < name.size() ? name[i] : 0);
        *returned_ = written;
        return 0;
    }

    uint32_t NodeInformation(const Hub& hub) {
        if (outSize_ < node::kSize) return error::kInsufficientBuffer;
        std::memset(out_, 0, node::kSize);
        size_t count = hub.ports.size();
        out_[node::kDescriptorLength] = uint8_t(7 + 2 * ((count + 8) / 8));
        out_[node::kDescriptorType] = kHubDescriptorType;
        out_[node::kNumberOfPorts] = uint8_t(count);
        WriteU16(out_ + node::kHubCharacteristics, kHubCharacteristics);
        out_[node::kHubCharacteristics + 2] = 50;  // 100 ms from power-on to power-good
        out_[node::kHubIsBusPowered] = hub.busPowered;
        *returned_ = node::kSize;
        return 0;
    }

    uint32_t ConnectionInformation(const Port& port, uint32_t number) {
        if (outSize_ < connection::kSize) return error::kInsufficientBuffer;
        std::memset(out_, 0, connection::kSize);
        WriteU32(out_ + connection::kIndex, number);
        WriteU32(out_ + connection::kStatus, port.status);
        if (!port.hasDevice) {
            *returned_ = connection::kSize;
            return 0;
        }
        std::memcpy(out_ + connection::kDeviceDescriptor, port.device.descriptor.data(), descriptor::kDeviceSize);
        out_[connection::kCurrentConfiguration] = port.status == 1 ? 1 : 0;
        out_[connection::kSpeed] = port.speed;
        out_[connection::kDeviceIsHub] = port.hub >= 0;
        WriteU16(out_ + connection::kDeviceAddress, port.address);
        size_t pipes = port.status == 1 ? port.device.endpoints.size() : 0;
        pipes = std::min(pipes, (outSize_ - connection::kSize) / connection::kPipeSize);
        WriteU32(out_ + connection::kOpenPipes, uint32_t(pipes));
        for (size_t i = 0; i < pipes; ++i) {
            uint8_t* pipe = out_ + connection::kSize + i * connection::kPipeSize;
            std::memcpy(pipe, port.device.endpoints[i].data(), descriptor::kEndpointSize);
            WriteU32(pipe + descriptor::kEndpointSize, 0);
        }
        *returned_ = uint32_t(connection::kSize + pipes * connection::kPipeSize);
        return 0;
    }

    uint32_t ConnectionInformationV2(const Port& port, uint32_t number) {
        if (inSize_ < connection2::kSize || outSize_ < connection2::kSize ||
            ReadU32(in_ + connection2::kLength) != connection2::kSize) {
            return error::kInvalidParameter;
        }
        uint32_t asked = ReadU32(in_ + connection2::kProtocols);
        std::memset(out_, 0, connection2::kSize);
        WriteU32(out_ + connection2::kIndex, number);
        WriteU32(out_ + connection2::kLength, connection2::kSize);
        WriteU32(out_ + connection2::kProtocols, port.protocols & asked);
        WriteU32(out_ + connection2::kFlags, port.hasDevice ? port.flags : 0);
        *returned_ = connection2::kSize;
        return 0;
    }

    uint32_t Descriptor(const Port& port) {
        if (inSize_ < request::kData || outSize_ < request::kData) return error::kInvalidParameter;
        if (port.status != 1 || !port.hasDevice || port.device.refusesDescriptors) return error::kGenFailure;
        uint8_t type = in_[request::kValue + 1], index = in_[request::kValue];
        uint16_t language = ReadU16(in_ + request::kLanguage);
        size_t length = std::min<size_t>(ReadU16(in_ + request::kLength), outSize_ - request::kData);
        const replay::Device& device = port.device;
        std::vector<uint8_t> languages;
        const std::vector<uint8_t>* bytes = nullptr;
        std::vector<uint8_t> descriptorBytes(device.descriptor.begin(), device.descriptor.end());
        std::vector<uint8_t> qualifier;
        if (type == descriptor::kDevice && index == 0) {
            bytes = &descriptorBytes;
        } else if (type == descriptor::kConfiguration && index == 0 && !device.configuration.empty()) {
            bytes = &device.configuration;
        } else if (type == descriptor::kString && index == 0 && !device.languages.empty()) {
            languages = {uint8_t(2 + 2 * device.languages.size()), descriptor::kString};
            for (uint16_t id : device.languages) languages.insert(languages.end(), {uint8_t(id), uint8_t(id >> 8)});
            bytes = &languages;
        } else if (type == descriptor::kString && device.strings.count(index) &&
                   std::find(device.languages.begin(), device.languages.end(), language) != device.languages.end()) {
            bytes = &device.strings.at(index);
        } else if (type == descriptor::kQualifier && device.qualifier) {
            qualifier = {10,
                         descriptor::kQualifier,
                         device.descriptor[2],
                         device.descriptor[3],
                         device.descriptor[4],
                         device.descriptor[5],
                         device.descriptor[6],
                         device.descriptor[7],
                         1,
                         0};
            bytes = &qualifier;
        }
        if (!bytes) return error::kGenFailure;  // the device stalls the request
        std::memcpy(out_, in_, request::kData);
        size_t sent = std::min(length, bytes->size());
        std::memcpy(out_ + request::kData, bytes->data(), sent);
        *returned_ = uint32_t(request::kData + sent);
        return 0;
    }

    Fixture fixture_;
    // The call being answered.
    const uint8_t* in_ = nullptr;
    uint32_t inSize_ = 0;
    uint8_t* out_ = nullptr;
    uint32_t outSize_ = 0;
    uint32_t* returned_ = nullptr;
    uint32_t timeoutMs_ = 0;
    uint64_t nowMs_ = 0;
};

}  // namespace

std::unique_ptr<UsbSystem> LoadReplaySystem(const std::string& path, std::string& error) {
    std::string text, reason;
    ReadResult read = ReadWholeFile(path, text, reason);
    if (read != ReadResult::Read) {
        error = path + ": " + (read == ReadResult::Absent ? std::string("no such file") : reason);
        return nullptr;
    }
    Fixture fixture;
    if (!replay::ReadFixture(text, path, fixture, error)) return nullptr;
    return std::make_unique<ReplayUsbSystem>(std::move(fixture));
}

}  // namespace linsett::usb
