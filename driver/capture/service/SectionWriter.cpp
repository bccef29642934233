#include "driver/capture/service/SectionWriter.h"

#include <atomic>
#include <cstring>

namespace linsett::capture {

namespace {

uint32_t Load(uint32_t& field) { return std::atomic_ref<uint32_t>(field).load(std::memory_order_relaxed); }

// Release: whatever was written before is in place when a reader sees this store.
void Publish(uint32_t& field, uint32_t value) {
    std::atomic_ref<uint32_t>(field).store(value, std::memory_order_release);
}

}  // namespace

void SectionWriter::Open() {
    if (Load(section_.magic) == kSectionMagic && Load(section_.version) == kSectionVersion &&
        Load(section_.hubCount) <= kMaxHubs)
        return;
    Publish(section_.magic, 0);
    Publish(section_.hubCount, 0);
    std::memset(section_.hubs, 0, sizeof section_.hubs);
    Publish(section_.version, kSectionVersion);
    Publish(section_.magic, kSectionMagic);
}

int SectionWriter::AddHub(std::u16string_view hubPath) {
    if (hubPath.empty() || hubPath.size() >= kHubPathChars) return -1;
    const uint32_t count = Load(section_.hubCount);
    for (uint32_t i = 0; i < count; ++i)
        if (hubPath == section_.hubs[i].hubPath) return static_cast<int>(i);
    if (count >= kMaxHubs) return -1;
    HubCounters& entry = section_.hubs[count];
    std::memset(&entry, 0, sizeof entry);
    std::memcpy(entry.hubPath, hubPath.data(), hubPath.size() * sizeof(char16_t));
    Publish(section_.hubCount, count + 1);
    return static_cast<int>(count);
}

void SectionWriter::Add(int hub, uint16_t address, uint32_t bytes) {
    if (hub < 0 || hub >= kMaxHubs || address >= kAddresses) return;
    uint32_t& count = section_.hubs[hub].bytes[address];
    Publish(count, Load(count) + bytes);
}

void SectionWriter::Beat() { Publish(section_.beat, Load(section_.beat) + 1); }

}  // namespace linsett::capture
