#pragma once
// Builds USBPcap capture streams (pcap, link type 249) from the published layout, damaged ones
// too. Payload bytes are a marker pattern, so a test can tell whether any payload got through
// where it must not.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace e2e {

// One captured USB packet: a record of the 27-byte USBPcap header, extra header bytes, data.
struct CapturePacket {
    uint64_t timeUs = 0;
    uint16_t bus = 1;            // the capture driver's root hub number
    uint16_t address = 1;        // device address
    uint8_t endpoint = 0x81;     // bit 7: IN
    uint8_t transfer = 3;        // 0 isochronous, 1 interrupt, 2 control, 3 bulk
    uint8_t info = 1;            // bit 0: from the device to the host (a completion)
    uint16_t function = 0x0009;  // URB function
    uint64_t irpId = 0;
    uint32_t data = 0;              // payload bytes of the marker pattern
    std::vector<uint8_t> extra;     // header bytes after the 27 (iso descriptors, control stage)
    uint32_t cutTo = UINT32_MAX;    // captured bytes of the record at most, besides the snaplen
    int headerLength = -1;          // the header's length field; -1: the true one
    int64_t dataLength = -1;        // the header's data length field; -1: the true one
};

class CaptureWriter {
public:
    static constexpr uint32_t kMicroseconds = 0xA1B2C3D4, kNanoseconds = 0xA1B23C4D;

    // Starts the stream with its 24-byte file header, written little-endian.
    explicit CaptureWriter(uint32_t snaplen = 65535, uint32_t magic = kMicroseconds, uint32_t linkType = 249);

    // Appends one record; its captured part is cut to the snaplen and cutTo.
    CaptureWriter& Packet(const CapturePacket& packet);
    // Appends a bare record header; the caller appends (or not) what it claims to hold.
    CaptureWriter& RecordHeader(uint64_t timeUs, uint32_t included, uint32_t original);
    CaptureWriter& Raw(const std::vector<uint8_t>& bytes) {
        bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
        return *this;
    }

    const std::vector<uint8_t>& Bytes() const { return bytes_; }
    bool Save(const std::wstring& path) const;

private:
    std::vector<uint8_t> bytes_;
    uint32_t snaplen_;
    bool nanoseconds_;
};

// Whether any 4 bytes of the marker pattern in a row appear in `data`.
bool HoldsPayload(const void* data, size_t size);

}  // namespace e2e
