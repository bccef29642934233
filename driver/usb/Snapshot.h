#pragma once
// What one enumeration pass learned about the machine's USB tree, as the system reports it
// and before any of it is turned into records. Pure data: the enumerator fills it from the
// system interface, the mapping reads it.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace linsett::usb {

// A device node's registry and configuration-manager facts.
struct DeviceFacts {
    std::string instanceId;        // e.g. USB\VID_046D&PID_C52B\6&1A2B3C&0&2
    std::u16string friendlyName;   // friendly name, else the device description
    std::u16string driverProvider, driverDate, driverVersion;
    bool hasDriver = true;         // a driver key (service) is installed
    bool present = true;           // the node answered CM_Get_DevNode_Status
    uint32_t nodeStatus = 0;       // DN_* bits
    uint32_t problem = 0;          // CM_PROB_* when nodeStatus has DN_HAS_PROBLEM, else 0
};

// One interface of the active configuration and what its endpoints ask of the bus.
struct InterfaceFacts {
    uint8_t interfaceClass = 0, subClass = 0, protocol = 0;
    bool isochronous = false;      // an isochronous endpoint
    bool bulk = false;             // a bulk endpoint
    uint16_t largestPacket = 0;    // the largest wMaxPacketSize of its endpoints (bits 0..10)
};

// USB_CONNECTION_STATUS values.
enum class Connection : uint32_t {
    NoDevice = 0, Connected = 1, FailedEnumeration = 2, GeneralFailure = 3, OverCurrent = 4,
    NotEnoughPower = 5, NotEnoughBandwidth = 6, HubNestedTooDeeply = 7, InLegacyHub = 8,
    Enumerating = 9, Reset = 10,
};

// USB_DEVICE_SPEED values.
enum class Speed : uint8_t { Low = 0, Full = 1, High = 2, Super = 3 };

struct HubFacts;

// Owns one T, and a copy copies it whole: a pass can keep a branch that an earlier one read.
template <class T>
class Owned {
public:
    Owned() = default;
    Owned(const Owned& other);
    Owned(Owned&&) noexcept = default;
    Owned& operator=(const Owned& other);
    Owned& operator=(Owned&&) noexcept = default;
    void reset(T* value = nullptr) { value_.reset(value); }
    T* get() const { return value_.get(); }
    T* operator->() const { return value_.get(); }
    T& operator*() const { return *value_; }
    explicit operator bool() const { return value_ != nullptr; }

private:
    std::unique_ptr<T> value_;
};

// One downstream port of a hub and whatever is plugged into it.
struct PortFacts {
    int number = 0;                           // 1-based
    Connection connection = Connection::NoDevice;
    bool isHub = false;
    Speed speed = Speed::Full;                // the speed the device runs at on this port
    uint16_t address = 0;                     // the bus address it was given: new at every plug
    bool portUsb2 = false;                    // the port itself can run high speed (V2 info)
    bool deviceUsb2Capable = false;           // the device could run high speed (V2 info or bcdUSB)
    // The device descriptor.
    uint16_t bcdUsb = 0, vendorId = 0, productId = 0, bcdDevice = 0;
    uint8_t deviceClass = 0, deviceSubClass = 0, deviceProtocol = 0;
    // The active configuration: its interfaces, power and whether it powers itself.
    std::vector<InterfaceFacts> interfaces;
    uint16_t maxPowerMa = 0;
    bool selfPowered = false;
    // String descriptors (language 0x0409 or the device's first language); absent when the
    // device has none or did not answer.
    std::optional<std::u16string> manufacturer, product, serial;
    uint16_t language = 0;                    // the language they were read in; 0: none was
    DeviceFacts device;                       // empty instanceId when the node was not found
    Owned<HubFacts> hub;                      // an external hub's own ports, when isHub
    // It did not answer in time: what is above is what it said before, or only what its hub
    // knew. It is left alone for `rest` more passes unless a device notice comes.
    bool silent = false;
    uint8_t rest = 0;
};

struct HubFacts {
    std::string devicePath;                   // what CreateFile opened
    int portCount = 0;
    bool selfPowered = false;                 // from the hub descriptor / node information
    bool highSpeed = false;                   // a USB 2.0 hub
    bool complete = true;                     // false: not every port was read in this pass
    std::vector<PortFacts> ports;             // in port order, one per port 1..portCount
};

template <class T>
Owned<T>::Owned(const Owned& other) : value_(other.value_ ? std::make_unique<T>(*other.value_) : nullptr) {}

template <class T>
Owned<T>& Owned<T>::operator=(const Owned& other) {
    if (this != &other) value_ = other.value_ ? std::make_unique<T>(*other.value_) : nullptr;
    return *this;
}

// A host controller and its root hub.
struct ControllerFacts {
    DeviceFacts device;
    uint8_t programmingInterface = 0;         // PCI prog-if: 0x00 UHCI, 0x10 OHCI, 0x20 EHCI, 0x30 xHCI
    std::optional<HubFacts> rootHub;          // absent when it could not be opened
};

struct Snapshot {
    std::u16string computerName;
    std::vector<ControllerFacts> controllers;
    bool complete = true;                     // false: a branch was skipped or kept from before
};

}  // namespace linsett::usb
