#pragma once
#include <cstdint>
#include <string>
#include <vector>

class DeviceTree;

// What a report says of the computer and its devices, read out of one generation of the
// topology into plain values. Texts as the records carry them, in the ANSI code page.
namespace report {

struct ComputerFacts {
    std::string name;
    uint8_t severity = 0;
    std::string health, status, advice;
};

struct DeviceFacts {
    int depth = 0;  // levels below the computer in the tree; disconnected records 0
    std::string kind;  // "adapter", "hub" or "device"
    std::string key, name;  // an adapter has no key: it has no record
    int typeCode = -1;      // -1: not connected, so unknown
    uint8_t severity = 0;
    std::string health;
    bool connected = false;
    std::string hub, port;  // the upstream hub and the port on it
    std::string model, manufacturer, description, serial, power;
    bool selfPowered = false;
    std::string driverProvider, driverDate, driverVersion;
};

struct Facts {
    ComputerFacts computer;
    // The tree depth first in port order (adapters, hubs, devices), then the disconnected
    // hubs and devices.
    std::vector<DeviceFacts> devices;
};

Facts Gather(DeviceTree& tree);

}  // namespace report
