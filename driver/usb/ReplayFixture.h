#pragma once
// A recorded USB tree as the replayed system keeps it: the bytes each device would send and
// the facts each hub would report, read from a JSON fixture. Pure: no platform headers.
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "driver/usb/UsbSystem.h"

namespace linsett::usb::replay {

struct Device {
    std::array<uint8_t, 18> descriptor{};
    std::vector<uint8_t> configuration;  // everything wTotalLength covers
    std::vector<uint16_t> languages;
    std::map<uint8_t, std::vector<uint8_t>> strings;  // index -> string descriptor bytes
    std::vector<std::array<uint8_t, 7>> endpoints;    // the open pipes
    bool qualifier = false;                           // answers for a device qualifier
    bool refusesDescriptors = false;                  // every request stalls
};

struct Port {
    uint32_t status = 0;  // USB_CONNECTION_STATUS
    uint8_t speed = 1;
    uint16_t address = 0;
    uint32_t protocols = 3;  // USB 1.1 and 2.0
    uint32_t flags = 0;      // the V2 answer's flags
    bool hasDevice = false;
    Device device;
    std::u16string driverKey;
    int hub = -1;        // index into Fixture::hubs
    uint32_t fault = 0;  // every call about this port fails so
    bool faultOnDescriptors = false;  // only the requests that go over the bus to the device do
};

struct Hub {
    std::u16string name;
    std::u16string instanceId;
    bool busPowered = false;
    bool answersV2 = true;      // older systems lack the V2 code
    int vanishAfterCalls = -1;  // then every call fails: unplugged
    std::u16string capture;     // a root hub's recorded traffic: a file in the fixture's folder
    std::vector<Port> ports;    // port n at n - 1
};

struct Controller {
    std::u16string path, instanceId, driverKey;
    int rootHub = -1;
};

struct Fixture {
    std::u16string computer;
    std::vector<Controller> controllers;
    std::vector<Hub> hubs;
    std::vector<NodeProperties> nodes;
    std::map<std::u16string, size_t> nodeByDriverKey, nodeByInstanceId;
};

// False with "<name>: line <n>: <problem>" when the text is not a usable fixture.
bool ReadFixture(const std::string& text, const std::string& name, Fixture& out, std::string& error);

}  // namespace linsett::usb::replay
