#include "driver/Publisher.h"

#include <algorithm>
#include <string>
#include <utility>

#include "driver/AnsiText.h"
#include "driver/Text.h"

namespace linsett {

namespace {

template <size_t N>
void CopyWide(char16_t (&field)[N], std::u16string_view text) {
    size_t length = std::min(text.size(), N - 1);
    std::copy_n(text.data(), length, field);
    field[length] = 0;
}

std::u16string ReadWide(const char16_t* field, size_t capacity) {
    size_t length = 0;
    while (length < capacity && field[length]) ++length;
    return std::u16string(field, length);
}

// Hub plates: 0 external, 1 root hub, 2 external self-powered, 3 dark root hub.
uint16_t HubFlags(const UnitEntry& entry) {
    uint16_t plate = entry.rootHub ? (entry.dark ? 3 : 1) : (entry.selfPowered ? 2 : 0);
    return static_cast<uint16_t>(plate << 4);
}

uint16_t Usb2(const UnitEntry* entry) { return entry && entry->usb2 ? kFlagUsb2 : 0; }

class Builder {
public:
    Builder(const World& world, Published& out, HWND tree) : world_(world), out_(out), tree_(tree) {}

    void Records() {
        const auto& units = world_.units();
        out_.records.assign(units.size(), 0);
        out_.nodes.assign(units.size(), 0);
        for (size_t i = 0; i < units.size(); ++i) out_.memory.New<DeviceRecord>(out_.records[i]);
        if (out_.memory.Failed()) return;
        for (size_t i = 0; i < units.size(); ++i) Record(static_cast<int>(i));
        for (size_t i = 0; i < units.size(); ++i)
            RecordAt(static_cast<int>(i))->linkB = out_.records[(i + 1) % units.size()];
    }

    // The nodes; their items are only listed here, for InsertItems once everything is built.
    void Tree() {
        const Scenario& scenario = world_.scenario();
        Addr address = 0;
        ComputerNode* computer = out_.memory.New<ComputerNode>(address);
        computer->kind = kComputer;
        computer->record = out_.records[0];
        std::u16string name = Widen(scenario.computer.name);
        std::string severityText;
        computer->displayName = out_.memory.Wide(name);
        computer->severity = static_cast<uint8_t>(world_.OverallSeverity(&severityText));
        computer->severityText = Wide(severityText);
        computer->secondLevel = static_cast<uint8_t>(scenario.computer.secondLevel);
        computer->statusText = Wide(scenario.computer.statusText);
        computer->adviceText = Wide(scenario.computer.adviceText);
        out_.nodes[0] = address;
        int root = Insert(-1, ToAnsi(name), address);
        for (const AdapterEntry& entry : scenario.adapters) {
            AdapterNode* adapter = out_.memory.New<AdapterNode>(address);
            adapter->kind = kAdapter;
            adapter->treeFlag = entry.usb2 ? 1 : 0;
            int item = Insert(root, Utf8ToAnsi(entry.name), address);
            for (size_t i = 0; i < world_.units().size(); ++i) {
                const UnitEntry* hub = world_.units()[i].entry;
                if (hub && hub->rootHub && hub->parent == entry.key) Unit(item, static_cast<int>(i));
            }
        }
        for (size_t i = 0; i < out_.nodes.size(); ++i) RecordAt(static_cast<int>(i))->node = out_.nodes[i];
    }

    // Replaces the tree's items with the listed ones; the root item.
    // Nothing is allocated once the old items are gone: the tree is never left half filled.
    HTREEITEM InsertItems() {
        std::vector<HTREEITEM> handles;
        handles.reserve(items_.size());
        SendMessageA(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
        for (const Item& item : items_) {
            TVINSERTSTRUCTA insert{};
            insert.hParent = item.parent < 0 ? TVI_ROOT : handles[item.parent];
            insert.hInsertAfter = TVI_LAST;
            insert.item.mask = TVIF_TEXT | TVIF_PARAM;
            insert.item.pszText = const_cast<char*>(item.text.c_str());
            insert.item.lParam = static_cast<LPARAM>(item.node);
            handles.push_back(reinterpret_cast<HTREEITEM>(
                SendMessageA(tree_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert))));
        }
        return handles.empty() ? nullptr : handles[0];
    }

private:
    DeviceRecord* RecordAt(int index) const { return out_.memory.At<DeviceRecord>(out_.records[index]); }
    Addr Wide(const std::string& utf8) { return out_.memory.Wide(Widen(utf8)); }
    Addr Ansi(const std::string& utf8) { return out_.memory.Ansi(Utf8ToAnsi(utf8)); }

    std::u16string ShownName(int index) const {
        const ::linsett::Unit& unit = world_.units()[index];
        return unit.name.size ? unit.name.text : Widen(unit.entry ? unit.entry->name : world_.scenario().computer.name);
    }

    void Record(int index) {
        const ::linsett::Unit& unit = world_.units()[index];
        const UnitEntry* entry = unit.entry;
        DeviceRecord* record = RecordAt(index);
        record->kind = unit.kind;
        record->keyName = Ansi(unit.key);
        if (!entry) {
            record->lightSwitch = static_cast<uint8_t>(world_.lightSwitch);
            CopyWide(record->defaultName, Widen(world_.scenario().computer.name));
            return;
        }
        CopyWide(record->userName, unit.name.text);
        record->userNameSize = unit.name.size;
        CopyWide(record->userManufacturer, unit.manufacturer.text);
        record->userManufacturerSize = unit.manufacturer.size;
        CopyWide(record->userDescription, unit.description.text);
        record->userDescriptionSize = unit.description.size;
        if (unit.kind == kHub) {
            record->flags = record->defaultFlags = HubFlags(*entry) | Usb2(entry);
        } else {
            record->flags = static_cast<uint16_t>((unit.icon << 4) | unit.iconGroup) | Usb2(entry);
            record->defaultFlags = static_cast<uint16_t>(entry->icon << 4) | Usb2(entry);
        }
        CopyWide(record->defaultName, Widen(entry->name));
        CopyWide(record->defaultManufacturer, Widen(entry->manufacturer));
        CopyWide(record->defaultDescription, Widen(entry->description));
        Upstream(index, *record);
    }

    // Where the unit is (or was last) plugged in: the name, port and hub number it shows.
    void Upstream(int index, DeviceRecord& record) {
        const ::linsett::Unit& unit = world_.units()[index];
        if (unit.entry->rootHub) {
            const AdapterEntry* adapter = world_.FindAdapter(unit.parent);
            record.upstreamName = Wide(adapter ? adapter->name : std::string());
            record.port = static_cast<uint16_t>(unit.entry->number);
            record.portType = unit.entry->dark ? 3 : 1;
            const auto& adapters = world_.scenario().adapters;
            record.upstreamHubNumber = static_cast<uint8_t>(adapter ? adapter - adapters.data() + 1 : 0);
            return;
        }
        int parent = world_.Find(unit.parent);
        const UnitEntry* hub = world_.units()[parent].entry;
        record.upstreamName = out_.memory.Wide(ShownName(parent));
        record.port = static_cast<uint16_t>(unit.port);
        record.portType = hub->rootHub ? 2 : 0;
        record.upstreamHubNumber = static_cast<uint8_t>(hub->number);
    }

    // Lists an item under the parent's entry (-1 for the top); its entry.
    int Insert(int parent, std::string text, Addr node) {
        items_.push_back(Item{parent, std::move(text), node});
        return static_cast<int>(items_.size()) - 1;
    }

    void Unit(int parentItem, int index) {
        const ::linsett::Unit& unit = world_.units()[index];
        const UnitEntry& entry = *unit.entry;
        Addr address = 0;
        if (unit.kind == kHub) {
            HubNode* hub = out_.memory.New<HubNode>(address);
            hub->kind = kHub;
            hub->record = out_.records[index];
            hub->number = static_cast<uint16_t>(entry.number);
            hub->model = Wide(entry.model);
            hub->portCount = static_cast<uint8_t>(entry.ports);
            hub->usesLetters = entry.rootHub ? 1 : 0;
            hub->treeFlag = entry.usb2 ? 1 : 0;
            hub->typeCode = static_cast<uint8_t>(entry.typeCode);
            hub->severity = static_cast<uint8_t>(unit.severity);
            hub->severityText = Wide(unit.severityText);
            hub->manufacturer = Wide(entry.manufacturer);
            hub->serial = entry.serial ? Ansi(*entry.serial) : 0;
            hub->selfPowered = entry.selfPowered ? 1 : 0;
            hub->description = Wide(entry.description);
            hub->power = Wide(entry.power);
        } else {
            DeviceNode* device = out_.memory.New<DeviceNode>(address);
            device->kind = kDevice;
            device->record = out_.records[index];
            device->model = Wide(entry.model);
            device->serial = entry.serial ? Ansi(*entry.serial) : 0;
            device->treeFlag = entry.usb2 ? 1 : 0;
            device->port = static_cast<uint8_t>(unit.port);
            device->typeCode = static_cast<uint8_t>(entry.typeCode);
            device->selfPowered = entry.selfPowered ? 1 : 0;
            device->driverProvider = Ansi(entry.driverProvider);
            device->driverDate = Ansi(entry.driverDate);
            device->driverVersion = Ansi(entry.driverVersion);
            device->severity = static_cast<uint8_t>(unit.severity);
            device->severityText = Wide(unit.severityText);
            device->manufacturer = Wide(entry.manufacturer);
            device->statusCode = static_cast<uint8_t>(unit.status);
            device->description = Wide(entry.description);
            device->power = Wide(entry.power);
        }
        out_.nodes[index] = address;
        int item = Insert(parentItem, ToAnsi(ShownName(index)), address);
        if (unit.kind != kHub) return;
        // Every port is an item, in port order; an empty port carries no node.
        for (int port = 1; port <= entry.ports; ++port) {
            int occupant = world_.Occupant(unit.key, port);
            if (occupant >= 0) Unit(item, occupant);
            else Insert(item, "Available", 0);
        }
    }

    struct Item {
        int parent;
        std::string text;
        Addr node;
    };

    const World& world_;
    Published& out_;
    HWND tree_;
    std::vector<Item> items_;
};

}  // namespace

std::unique_ptr<Published> Publish(const World& world, HWND tree, uint16_t lightPeriodMs, uint8_t changeCode) {
    auto published = std::make_unique<Published>();
    Builder builder(world, *published, tree);
    RootBlock* root = published->memory.New<RootBlock>(published->root);
    builder.Records();
    if (!published->memory.Failed()) builder.Tree();
    if (published->memory.Failed()) return nullptr;
    HTREEITEM rootItem = builder.InsertItems();
    root->entryRecord = published->records[0];
    root->rootItem = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(rootItem));
    root->lightPeriodMs = lightPeriodMs;
    root->changeCode = changeCode;
    Relink(*published, world);
    return published;
}

void Harvest(const Published& published, World& world) {
    const Generation& memory = published.memory;
    world.lightSwitch = memory.At<DeviceRecord>(published.records[0])->lightSwitch;
    for (size_t i = 1; i < published.records.size(); ++i) {
        const DeviceRecord* record = memory.At<DeviceRecord>(published.records[i]);
        Unit& unit = world.unit(static_cast<int>(i));
        unit.name = UserText{record->userNameSize, ReadWide(record->userName, kNameChars)};
        unit.manufacturer = UserText{record->userManufacturerSize, ReadWide(record->userManufacturer, kTextChars)};
        unit.description = UserText{record->userDescriptionSize, ReadWide(record->userDescription, kTextChars)};
        if (unit.kind == kDevice) {
            unit.icon = (record->flags & kIconMask) >> 4;
            unit.iconGroup = record->flags & kGroupMask;
        }
    }
}

void Relink(const Published& published, const World& world) {
    const std::vector<int>& order = world.monitorOrder();
    for (size_t i = 0; i < order.size(); ++i)
        published.memory.At<DeviceRecord>(published.records[order[i]])->linkA =
            published.records[order[(i + 1) % order.size()]];
    published.memory.At<RootBlock>(published.root)->monitorStart = published.records[world.MonitorStart()];
}

void WriteActivity(const Published& published, const World& world) {
    for (size_t i = 0; i < published.nodes.size(); ++i) {
        if (world.units()[i].kind != kDevice || !published.nodes[i]) continue;
        published.memory.At<DeviceNode>(published.nodes[i])->statusCode =
            static_cast<uint8_t>(world.units()[i].status);
    }
}

int UnitOfRecord(const Published& published, const void* record) {
    auto address = reinterpret_cast<uintptr_t>(record);
    for (size_t i = 0; i < published.records.size(); ++i)
        if (published.records[i] == address) return static_cast<int>(i);
    return -1;
}

}  // namespace linsett
