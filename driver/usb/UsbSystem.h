#pragma once
// The one door between the enumerator and the operating system's USB stack: list device
// interfaces, open a device path, send a control code and get bytes back, and read what the
// device manager knows about a node. Kept this low so that every structure the system returns
// is decoded by the enumerator itself, whichever implementation answers. No platform headers.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace linsett::usb {

// The system error codes the enumerator tells apart.
namespace error {
constexpr uint32_t kNone = 0;
constexpr uint32_t kInvalidFunction = 1;
constexpr uint32_t kFileNotFound = 2;
constexpr uint32_t kGenFailure = 31;
constexpr uint32_t kInvalidParameter = 87;
constexpr uint32_t kSemTimeout = 121;
constexpr uint32_t kInsufficientBuffer = 122;
constexpr uint32_t kNoSuchDevice = 433;
constexpr uint32_t kOperationAborted = 995;
constexpr uint32_t kDeviceNotConnected = 1167;
}  // namespace error

enum class InterfaceClass { HostController, Hub };

struct InterfaceEntry {
    std::u16string devicePath;  // what Open takes
    std::u16string instanceId;  // the device node that exposes the interface
};

// A device node as the device manager reports it, undigested.
struct NodeProperties {
    std::u16string instanceId;
    std::u16string friendlyName, description;  // either may be empty
    std::u16string driverProvider, driverVersion;
    uint64_t driverDate = 0;  // FILETIME ticks, 0 when there is none
    std::u16string service;   // empty: no function driver installed
    std::vector<std::u16string> compatibleIds;
    bool located = false;              // the node is present in the device tree
    uint32_t status = 0, problem = 0;  // as the configuration manager gives them
};

enum class NodeKey { InstanceId, DriverKey };

// An open device path; closing it is the destructor's job.
class OpenDevice {
public:
    virtual ~OpenDevice() = default;
};

class UsbSystem {
public:
    virtual ~UsbSystem() = default;

    // Called once at the start of every enumeration pass; caches of the previous pass go.
    virtual void BeginPass() {}
    virtual std::u16string ComputerName() = 0;
    virtual std::vector<InterfaceEntry> ListInterfaces(InterfaceClass which) = 0;
    // Null with a system error code when the path cannot be opened.
    virtual std::unique_ptr<OpenDevice> Open(const std::u16string& path, uint32_t& error) = 0;
    // Sends one control code. Like the system, it writes only the `returned` bytes of `out`
    // and leaves the rest of the caller's buffer as it was. Gives up after timeoutMs with
    // error::kSemTimeout. Returns 0 or a system error code.
    virtual uint32_t Control(OpenDevice& device, uint32_t code, const void* in, uint32_t inSize, void* out,
                             uint32_t outSize, uint32_t& returned, uint32_t timeoutMs) = 0;
    // False when no present node has that key.
    virtual bool Properties(NodeKey by, const std::u16string& key, NodeProperties& out) = 0;
    // Milliseconds on the clock that Control's waits run on; the enumerator keeps its budget by it.
    virtual uint64_t NowMs() = 0;
};

}  // namespace linsett::usb
