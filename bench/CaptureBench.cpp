// What reading a saturated USB 2.0 bus costs the capture service: one second of bus time
// (a disk reading 16 KB and writing 512-byte blocks, a camera's isochronous video, a keyboard's
// 8-byte reports; submit and completion records, as the capture driver gives them) read through
// the stream reader in pieces the size of the service's reads, and counted per device address.
#include <cstdio>

#include "bench/Timing.h"
#include "driver/capture/PcapStream.h"
#include "tests/support/CaptureWriter.h"

namespace {

using e2e::CapturePacket;

struct Counter : linsett::capture::PacketSink {
    uint32_t bytes[128] = {};
    void OnPacket(const linsett::capture::Packet& packet) override { bytes[packet.address] += packet.dataLength; }
};

// One transfer: the host's submit, then the device's completion; `out` says which carries the data.
void Transfer(e2e::CaptureWriter& writer, CapturePacket packet, bool out, uint32_t data) {
    static uint64_t irp = 0x1000;
    packet.irpId = ++irp;
    packet.info = 0;
    packet.data = out ? data : 0;
    writer.Packet(packet);
    packet.timeUs += 125;
    packet.info = 1;
    packet.data = out ? 0 : data;
    writer.Packet(packet);
}

std::vector<uint8_t> OneSecondOfABusyBus() {
    e2e::CaptureWriter writer;
    // Eight 3 KB microframes per millisecond, each with its 12-byte descriptor after the
    // 12-byte isochronous header.
    const std::vector<uint8_t> isoHeader(12 + 8 * 12);
    for (uint64_t ms = 0; ms < 1000; ++ms) {
        const uint64_t t = 1'700'000'000'000'000 + ms * 1000;
        Transfer(writer, {.timeUs = t, .address = 7, .endpoint = 0x82, .transfer = 0, .function = 0x000A,
                          .extra = isoHeader}, false, 8 * 3072);
        Transfer(writer, {.timeUs = t + 10, .address = 3, .endpoint = 0x81, .transfer = 1}, false, 8);
        for (int i = 0; i < 2; ++i)
            Transfer(writer, {.timeUs = t + 100 + i * 400, .address = 5, .endpoint = 0x81}, false, 16384);
        for (int i = 0; i < 4; ++i)
            Transfer(writer, {.timeUs = t + 300 + i * 150, .address = 5, .endpoint = 0x02}, true, 512);
    }
    return writer.Bytes();
}

void Read(const std::vector<uint8_t>& capture, size_t piece, Counter& counter) {
    linsett::capture::PcapStream stream(counter);
    for (size_t at = 0; at < capture.size(); at += piece)
        stream.Feed(capture.data() + at, std::min(piece, capture.size() - at));
}

}  // namespace

int main() {
    const std::vector<uint8_t> capture = OneSecondOfABusyBus();
    const double megabytes = capture.size() / 1e6;
    Counter once;
    Read(capture, capture.size(), once);
    std::printf("one second of bus: %.1f MB captured; counted: disk %u, camera %u, keyboard %u bytes\n", megabytes,
                once.bytes[5], once.bytes[7], once.bytes[3]);
    for (size_t piece : {size_t{64} << 10, size_t{1} << 20}) {
        Counter counter;
        const double ns = NanosecondsPerCall(20, [&](int) { Read(capture, piece, counter); });
        const double rate = megabytes / (ns / 1e9);
        std::printf("capture reader, %4zu KB reads: %.3f ms a pass, %7.0f MB/s, %.3f%% of a core at 60 MB/s\n",
                    piece >> 10, ns / 1e6, rate, 60 / rate * 100);
    }
    return 0;
}
