#include "model/ReportFacts.h"

#include "model/DeviceNode.h"
#include "model/DeviceTree.h"
#include "model/TopologyItem.h"

namespace report {

namespace {

std::string Std(const String& text) { return text.Chars(); }

DeviceFacts RecordFacts(const DeviceNode& node, int depth) {
    DeviceFacts d;
    d.depth = depth;
    d.kind = node.IsHub() ? "hub" : "device";
    d.key = Std(node.KeyName());
    d.name = Std(node.Name());
    d.connected = node.IsConnected();
    d.hub = Std(node.UpstreamName());
    d.port = Std(node.PortDesignation());
    d.manufacturer = Std(node.Manufacturer());
    d.description = Std(node.Description());
    if (!d.connected) return d;
    // Hardware, health and driver live in the node, which only a connected record has.
    if (const TopologyItem* item = node.Item()) d.typeCode = item->TypeCode();
    d.severity = node.Severity();
    d.health = Std(node.SeverityText());
    d.model = Std(node.ModelNumber());
    d.serial = Std(node.SerialNumber());
    d.power = Std(node.PowerRequired());
    d.selfPowered = node.IsSelfPowered();
    d.driverProvider = Std(node.DriverProvider());
    d.driverDate = Std(node.DriverDate());
    d.driverVersion = Std(node.DriverVersion());
    return d;
}

void AddSubtree(const TopologyItem& item, int depth, std::vector<DeviceFacts>& out) {
    for (TopologyItem* child = item.FirstChild(); child; child = child->NextSibling()) {
        if (const DeviceNode* record = child->Record()) {
            out.push_back(RecordFacts(*record, depth));
        } else if (child->KindIndex() == 2) {
            DeviceFacts adapter;
            adapter.depth = depth;
            adapter.kind = "adapter";
            adapter.name = Std(child->Text());
            adapter.connected = true;
            out.push_back(std::move(adapter));
        } else {
            continue;  // an empty port
        }
        AddSubtree(*child, depth + 1, out);
    }
}

}  // namespace

Facts Gather(DeviceTree& tree) {
    Facts facts;
    if (DeviceNode* system = tree.SystemRecord()) {
        facts.computer.name = Std(system->Name());
        facts.computer.severity = system->Severity();
        facts.computer.health = Std(system->SeverityText());
        facts.computer.status = Std(system->StatusText());
        facts.computer.advice = Std(system->AdviceText());
    }
    if (TopologyItem* root = tree.RootItem()) AddSubtree(*root, 0, facts.devices);
    for (DeviceNode* record : tree.DisconnectedRecords()) facts.devices.push_back(RecordFacts(*record, 0));
    return facts;
}

}  // namespace report
