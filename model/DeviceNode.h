#pragma once
#include <cstdint>

#include "base/String.h"
#include "base/Bytes.h"

class DeviceTree;
class TopologyItem;

// A handle on one of the library's device records: every view reads and edits a device
// through it. It lives until the next topology change, which discards all handles.
class DeviceNode {
public:
    DeviceNode(DeviceTree& tree, bytes::Address record) : tree_(tree), record_(record) {}
    DeviceNode(const DeviceNode&) = delete;
    DeviceNode& operator=(const DeviceNode&) = delete;

    bytes::Address Record() const { return record_; }
    uint8_t Kind() const;
    bool IsSystem() const;
    bool IsHub() const;
    bool IsDevice() const;
    bool IsConnected() const;
    bool IsShownInMonitor() const;

    // Texts the user may edit; empty when never set (the system shows the computer's name).
    String Name() const;
    String Manufacturer() const;
    String Description() const;
    String KeyName() const;

    // Health and status (0 for kinds that carry none).
    uint8_t Severity() const;
    String SeverityText() const;
    uint8_t SecondLevel() const;
    String StatusText() const;
    String AdviceText() const;
    int LightLevel() const;  // 0 brightest .. 4 idle; 5 for anything that is not a device

    // Hardware as reported (node-based: asked only of connected records).
    String ModelNumber() const;
    String SerialNumber() const;  // "N/A" when there is none
    bool IsSelfPowered() const;
    String PowerRequired() const;
    String HardwareManufacturer() const;
    String HardwareDescription() const;
    String DriverProvider() const;
    String DriverDate() const;
    String DriverVersion() const;
    int PortCount() const;

    // Record-level fields, valid connected or not.
    uint16_t Flags() const;
    bool IsUsb2() const;
    bool IsDirectHub() const;
    int IconNumber() const;
    int IconGroup() const;
    String UpstreamName() const;
    String PortDesignation() const;
    String UpstreamHubNumber() const;
    uint8_t PortDesignationType() const;
    String DefaultName() const;
    String DefaultManufacturer() const;
    String DefaultDescription() const;
    int DefaultIconNumber() const;
    bool LightSwitch() const;
    void SetLightSwitch(bool on);

    // Edits, written into the record; the caller saves them through the driver interface.
    void SetName(String text);
    void SetManufacturer(String text);
    void SetDescription(String text);
    void SetIconNumber(int number);
    void SetIconGroup(int group);

    TopologyItem* Item() const;  // none while disconnected
    DeviceNode* NextInMonitorOrder() const;
    DeviceNode* NextInListOrder() const;

private:
    bytes::Address NodeAddress() const;
    uint8_t NodeU8(uint32_t offset) const;
    String NodeWide(uint32_t offset) const;
    String NodeAnsi(uint32_t offset, const char* nullText) const;
    DeviceTree& tree_;
    bytes::Address record_;
};
