#pragma once
// Writes the activity section: one entry per root hub and the bytes each device address moved.
// Pure: the service maps the section and hands it over, the tests hand over plain memory.
//
// The service is the only writer; readers in other processes look at any moment. So every
// store is a whole aligned 32-bit one, an entry is filled before hubCount counts it in, and
// magic and version come last, over a body already in place.
#include <string_view>
#include "driver/capture/ActivitySection.h"
#include "driver/capture/PcapStream.h"

namespace linsett::capture {

class SectionWriter {
public:
    explicit SectionWriter(ActivitySection& section) : section_(section) {}

    // Makes the section ready. One this service left behind (a reader still held it while the
    // service restarted) keeps its entries and counts, so the readers' differences stay true;
    // anything else is cleared first.
    void Open();

    // The entry for a root hub: its own from before, else the next free one. -1 when the path
    // is empty or too long to store whole, or every entry is taken.
    int AddHub(std::u16string_view hubPath);

    // Adds a transfer's length to a device's count, which wraps modulo 2^32. Anything outside
    // the entries or addresses is not counted.
    void Add(int hub, uint16_t address, uint32_t bytes);

    // Tells readers that the counts are live.
    void Beat();

private:
    ActivitySection& section_;
};

// Counts one root hub's packets into its entry.
class HubCounter : public PacketSink {
public:
    HubCounter(SectionWriter& writer, int hub) : writer_(writer), hub_(hub) {}
    void OnPacket(const Packet& packet) override { writer_.Add(hub_, packet.address, packet.dataLength); }

private:
    SectionWriter& writer_;
    int hub_;
};

}  // namespace linsett::capture
