#include "driver/capture/PcapStream.h"

#include <algorithm>
#include <cstring>

namespace linsett::capture {

namespace {

constexpr size_t kFileHeaderSize = 24;
constexpr size_t kRecordHeaderSize = 16;
constexpr size_t kPacketHeaderSize = 27;  // USBPCAP_BUFFER_PACKET_HEADER, packed
constexpr uint32_t kMagicMicroseconds = 0xA1B2C3D4;
constexpr uint32_t kMagicNanoseconds = 0xA1B23C4D;
constexpr uint32_t kLinkTypeUsbPcap = 249;
constexpr uint16_t kLastAddress = 127;

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t U32(const uint8_t* p) { return U16(p) | static_cast<uint32_t>(U16(p + 2)) << 16; }

}  // namespace

// Moves up to `want` bytes in total into held_; true once it holds them all.
bool PcapStream::Take(const uint8_t*& data, size_t& size, size_t want) {
    size_t n = std::min(want - heldSize_, size);
    std::memcpy(held_ + heldSize_, data, n);
    heldSize_ += n;
    data += n;
    size -= n;
    if (heldSize_ < want) return false;
    heldSize_ = 0;
    return true;
}

void PcapStream::FinishFileHeader() {
    uint32_t magic = U32(held_);
    nanoseconds_ = magic == kMagicNanoseconds;
    bool usable = (magic == kMagicMicroseconds || nanoseconds_) && U32(held_ + 20) == kLinkTypeUsbPcap;
    state_ = usable ? State::RecordHeader : State::Broken;
}

void PcapStream::FinishRecordHeader() {
    uint64_t fraction = U32(held_ + 4);
    recordTimeUs_ = uint64_t{U32(held_)} * 1000000 + (nanoseconds_ ? fraction / 1000 : fraction);
    recordIncluded_ = U32(held_ + 8);
    recordOriginal_ = U32(held_ + 12);
    if (recordIncluded_ > kMaxRecord) {
        state_ = State::Broken;
    } else if (recordIncluded_ < kPacketHeaderSize) {
        ++malformed_;
        skip_ = recordIncluded_;
        state_ = State::Skip;
    } else {
        state_ = State::PacketHeader;
    }
}

void PcapStream::FinishPacketHeader() {
    uint16_t headerLength = U16(held_);
    Packet packet;
    packet.timeUs = recordTimeUs_;
    packet.bus = U16(held_ + 17);
    packet.address = U16(held_ + 19);
    // A short snapshot length cuts the header's own extra bytes too (a control transfer's stage,
    // an isochronous transfer's frame list): the first 27 still say all that is counted.
    if (headerLength < kPacketHeaderSize || headerLength > recordOriginal_ || packet.address > kLastAddress) {
        ++malformed_;
    } else {
        // The capture may have been cut short (its snapshot length); the header still tells the
        // whole transfer's length, but never more than the record says was on the wire.
        uint32_t carried = recordOriginal_ > headerLength ? recordOriginal_ - headerLength : 0;
        packet.dataLength = std::min(U32(held_ + 23), carried);
        ++packets_;
        sink_.OnPacket(packet);
    }
    skip_ = recordIncluded_ - kPacketHeaderSize;
    state_ = State::Skip;
}

bool PcapStream::Feed(const uint8_t* data, size_t size) {
    while (size > 0 && state_ != State::Broken) {
        switch (state_) {
        case State::FileHeader:
            if (Take(data, size, kFileHeaderSize)) FinishFileHeader();
            break;
        case State::RecordHeader:
            if (Take(data, size, kRecordHeaderSize)) FinishRecordHeader();
            break;
        case State::PacketHeader:
            if (Take(data, size, kPacketHeaderSize)) FinishPacketHeader();
            break;
        case State::Skip: {
            size_t n = static_cast<size_t>(std::min<uint64_t>(skip_, size));
            data += n;
            size -= n;
            skip_ -= n;
            break;
        }
        case State::Broken:
            break;
        }
        if (state_ == State::Skip && skip_ == 0) state_ = State::RecordHeader;
    }
    return state_ != State::Broken;
}

}  // namespace linsett::capture
