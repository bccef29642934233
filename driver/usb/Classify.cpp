#include "driver/usb/Classify.h"

#include <algorithm>
#include <set>

namespace linsett::usb {

namespace {

// Class codes as devices and interfaces report them.
constexpr uint8_t kAudio = 0x01, kComm = 0x02, kHid = 0x03, kImage = 0x06, kPrinter = 0x07, kStorage = 0x08,
                  kCdcData = 0x0A, kSmartCard = 0x0B, kVideo = 0x0E, kAudioVideo = 0x10,
                  kWireless = 0xE0, kMisc = 0xEF, kVendor = 0xFF;

// The classes a device belongs to: its own class when it names one, else those of its
// interfaces. A modem's data interface and an audio/video device count as one class each.
std::set<uint8_t> Classes(const PortFacts& port) {
    auto fold = [](uint8_t c) { return c == kCdcData ? kComm : c == kAudioVideo ? kVideo : c; };
    if (port.deviceClass != 0 && port.deviceClass != kMisc) return {fold(port.deviceClass)};
    std::set<uint8_t> classes;
    for (const InterfaceFacts& face : port.interfaces) classes.insert(fold(face.interfaceClass));
    return classes;
}

int ClassTypeCode(uint8_t c) {
    switch (c) {
    case kHid: return 7;
    case kStorage: return 8;
    case kImage: return 9;
    case kPrinter: return 12;
    case kComm: return 13;
    case kAudio: return 14;
    case kVideo: return 15;
    case kSmartCard: return 16;
    case kWireless: return 17;
    default: return 0;
    }
}

// The first interface of class c, or null.
const InterfaceFacts* Interface(const PortFacts& port, uint8_t c) {
    for (const InterfaceFacts& face : port.interfaces)
        if (face.interfaceClass == c) return &face;
    return nullptr;
}

bool HasSubClass(const PortFacts& port, uint8_t c, uint8_t subClass) {
    return std::any_of(port.interfaces.begin(), port.interfaces.end(), [&](const InterfaceFacts& face) {
        return face.interfaceClass == c && face.subClass == subClass;
    });
}

const char* const kReplug = "Unplug it, wait a few seconds and plug it back in.";
const char* const kGetDriver =
    "Install the driver from the device's maker (from their website or the disc that came with it), "
    "then unplug the device and plug it back in.";

Health Problem(const DeviceFacts& device) {
    const std::string code = " (code " + std::to_string(device.problem) + ").";
    switch (device.problem) {
    case 0:
        if (device.hasDriver) return {};
        return {3, "No driver is installed for this device, so it cannot be used.", kGetDriver};
    case 43:
        // Windows stops a device that reported a failure: it does not work at all, the same
        // outcome as a port whose device could not be identified.
        return {4, "Windows stopped this device because it reported a failure" + code,
                std::string(kReplug) + " If it happens again, try another port or cable, or ask its maker."};
    case 28: return {3, "The driver for this device is not installed" + code, kGetDriver};
    case 1: return {3, "This device is not set up properly" + code, kGetDriver};
    case 10:
        return {3, "This device cannot start" + code,
                std::string(kReplug) + " If it still does not start, reinstall its driver."};
    default:
        return {3, "Windows reports a problem with this device" + code,
                "Open Device Manager to see what Windows says about it, or reinstall its driver."};
    }
}

}  // namespace

int TypeCode(const PortFacts& port) {
    if (port.isHub) return port.speed >= Speed::High ? 3 : 1;
    std::set<uint8_t> classes = Classes(port);
    if (classes == std::set<uint8_t>{kVendor} && !port.device.hasDriver) return 6;
    if (!port.selfPowered && port.maxPowerMa >= 500) return 4;
    if (classes.size() == 1)
        if (int code = ClassTypeCode(*classes.begin())) return code;
    auto any = [&](auto test) { return std::any_of(port.interfaces.begin(), port.interfaces.end(), test); };
    bool streams = any([](const InterfaceFacts& face) { return face.isochronous; });
    if (classes.size() > 1) return streams ? 10 : 11;
    if (streams) return 10;
    // 512-byte bulk packets exist only on high-speed and faster links.
    if (any([](const InterfaceFacts& face) { return face.bulk && face.largestPacket >= 512; })) return 18;
    return port.selfPowered ? 5 : 0;
}

int Icon(const PortFacts& port) {
    std::set<uint8_t> classes = Classes(port);
    auto has = [&](uint8_t c) { return classes.count(c) != 0; };
    if (has(kVideo)) return 10;  // web camera
    if (has(kPrinter)) return has(kImage) ? 13 : 12;
    if (has(kImage)) return 9;  // digital camera
    if (has(kAudio)) {
        if (has(kHid)) return 24;  // a headset's buttons are an input interface
        // MIDI streaming without audio streaming: a music interface.
        return HasSubClass(port, kAudio, 3) && !HasSubClass(port, kAudio, 2) ? 21 : 11;
    }
    if (has(kStorage)) {
        if (HasSubClass(port, kStorage, 0x02)) return 2;  // CD/DVD command set
        return port.selfPowered || port.maxPowerMa >= 500 ? 1 : 3;
    }
    if (has(kSmartCard)) return 17;
    if (has(kComm)) return HasSubClass(port, kComm, 0x02) ? 14 : 15;  // modem commands, else networking
    if (has(kWireless)) return 15;
    if (has(kHid)) {
        if (const InterfaceFacts* face = Interface(port, kHid); face && face->subClass == 1) {
            if (face->protocol == 1) return 0;  // boot keyboard
            if (face->protocol == 2) return 4;  // boot mouse
        }
    }
    return 16;
}

std::u16string ClassName(const PortFacts& port) {
    if (port.isHub) return u"USB Hub";
    if (port.vendorId == 0 && port.productId == 0) return u"Unknown USB Device";
    std::set<uint8_t> classes = Classes(port);
    if (classes.size() > 1) return u"USB Composite Device";
    switch (classes.empty() ? 0 : *classes.begin()) {
    case kAudio: return u"USB Audio Device";
    case kComm: return u"USB Communications Device";
    case kHid: return u"USB Input Device";
    case kImage: return u"USB Imaging Device";
    case kPrinter: return u"USB Printer";
    case kStorage: return u"USB Mass Storage Device";
    case kSmartCard: return u"USB Smart Card Reader";
    case kVideo: return u"USB Video Device";
    case kWireless: return u"USB Wireless Adapter";
    default: return u"USB Device";
    }
}

Health PortHealth(const PortFacts& port) {
    switch (port.connection) {
    case Connection::FailedEnumeration:
        return {4, "Windows could not identify the device on this port: it did not answer when asked what it is.",
                std::string(kReplug) + " If it still fails, try another port or cable."};
    case Connection::GeneralFailure:
        return {4, "The device on this port stopped working: the port reports a failure.",
                std::string(kReplug) + " If that does not help, restart the computer."};
    case Connection::OverCurrent:
        return {4, "This port was switched off because the device drew more current than the port can supply.",
                "Unplug the device now. Use a hub with its own power supply or the device's own power "
                "adapter; if it happens again, the device or its cable may be damaged."};
    case Connection::HubNestedTooDeeply:
        return {4, "This device cannot work here: too many hubs are chained between it and the computer.",
                "Plug it into a hub closer to the computer, or into the computer itself."};
    default: break;
    }
    if (port.silent)
        return {3, std::string(port.isHub ? "This hub" : "This device") +
                       " is not answering, so what is shown for it may be out of date.",
                kReplug};
    // A device the port could not power or schedule is never set up: its missing driver is
    // only the consequence, and the user's remedy is the port.
    if (port.connection == Connection::NotEnoughPower)
        return {2, "This device needs more power than the port can supply, so it was not switched on.",
                "Plug it into a port of the computer itself or into a hub with its own power supply."};
    if (port.connection == Connection::NotEnoughBandwidth)
        return {2, "The USB controller has no bandwidth left for this device.",
                "Close programs that use other cameras, microphones or speakers, or plug this device into "
                "a port on another USB controller."};
    if (Health problem = Problem(port.device); problem.severity) return problem;
    if (port.connection == Connection::InLegacyHub ||
        (port.deviceUsb2Capable && !port.portUsb2 && port.speed < Speed::High))
        return {1, "Optimization possible: this USB 2.0 device runs at the slower USB 1.1 speed because its port "
                   "or hub only supports USB 1.1.",
                "For full speed, plug it into a USB 2.0 port or hub."};
    if (port.connection == Connection::Enumerating || port.connection == Connection::Reset)
        return {0, "Windows is still setting this device up.", ""};
    return Fine(port.isHub);
}

Health ControllerHealth(const DeviceFacts& device) {
    if (Health problem = Problem(device); problem.severity) return problem;
    return Fine(true);
}

Health UnreadHub() {
    return {3, "Not all ports of this hub answered in time, so devices plugged into it may be missing or out of date.",
            "Unplug the hub and plug it back in; if it has a power supply, check that it is plugged in."};
}

Health Fine(bool hub) {
    return {0, hub ? "This hub is working properly." : "This device is working properly.", ""};
}

}  // namespace linsett::usb
