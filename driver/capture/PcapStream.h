#pragma once
// Reads a USBPcap capture stream (a pcap file of link type 249) in pieces of any size, as a
// capture device or a file hands them over, and reports each packet's device and data length.
// A packet's data is skipped as it goes by: nothing of it is kept or passed on. Pure: no
// platform headers.
#include <cstddef>
#include <cstdint>

namespace linsett::capture {

// What one captured packet says about the traffic, and nothing of its contents.
struct Packet {
    uint64_t timeUs = 0;      // the record's timestamp, in microseconds
    uint16_t bus = 0;         // the capture driver's root hub number
    uint16_t address = 0;     // the device address on that root hub, 0..127
    uint32_t dataLength = 0;  // bytes the transfer carried (counted even when the capture cut them)
};

class PacketSink {
public:
    virtual ~PacketSink() = default;
    virtual void OnPacket(const Packet& packet) = 0;
};

class PcapStream {
public:
    explicit PcapStream(PacketSink& sink) : sink_(sink) {}

    // Takes the next piece of the stream. False once the stream cannot be read on (it is not a
    // little-endian pcap stream of link type 249, or a record claims an impossible length):
    // from then on every piece is ignored.
    bool Feed(const uint8_t* data, size_t size);

    bool Broken() const { return state_ == State::Broken; }
    uint64_t Packets() const { return packets_; }
    // Records skipped because their USBPcap header was not a usable one.
    uint64_t Malformed() const { return malformed_; }

    // The largest record a stream may hold; a larger length means the stream lost its framing.
    static constexpr uint32_t kMaxRecord = 0x4000000;

private:
    enum class State { FileHeader, RecordHeader, PacketHeader, Skip, Broken };

    bool Take(const uint8_t*& data, size_t& size, size_t want);
    void FinishFileHeader();
    void FinishRecordHeader();
    void FinishPacketHeader();

    PacketSink& sink_;
    State state_ = State::FileHeader;
    uint8_t held_[32] = {};  // the header being assembled across pieces
    size_t heldSize_ = 0;
    bool nanoseconds_ = false;
    uint64_t recordTimeUs_ = 0;
    uint32_t recordIncluded_ = 0, recordOriginal_ = 0;
    uint64_t skip_ = 0;  // bytes of the current record still to pass over
    uint64_t packets_ = 0, malformed_ = 0;
};

}  // namespace linsett::capture
