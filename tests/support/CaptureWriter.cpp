#include "tests/support/CaptureWriter.h"
#include <windows.h>
#include <algorithm>

namespace e2e {
namespace {

constexpr size_t kHeader = 27;  // the USBPcap packet header without its extra bytes
// "PYLD" and four bytes no text or small count holds in a row.
constexpr uint8_t kMarker[] = {'P', 'Y', 'L', 'D', 0xA7, 0x5A, 0xA5, 0x7E};

void Put(std::vector<uint8_t>& out, uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

uint8_t PayloadMarker(size_t index) { return kMarker[index % sizeof kMarker]; }

}  // namespace

bool HoldsPayload(const void* data, size_t size) {
    auto* p = static_cast<const uint8_t*>(data);
    for (size_t i = 0; i + 4 <= size; ++i)
        for (size_t phase = 0; phase < sizeof kMarker; ++phase)
            if (p[i] == PayloadMarker(phase) && p[i + 1] == PayloadMarker(phase + 1) &&
                p[i + 2] == PayloadMarker(phase + 2) && p[i + 3] == PayloadMarker(phase + 3))
                return true;
    return false;
}

CaptureWriter::CaptureWriter(uint32_t snaplen, uint32_t magic, uint32_t linkType)
    : snaplen_(snaplen), nanoseconds_(magic == kNanoseconds) {
    Put(bytes_, magic, 4);
    Put(bytes_, 0x00040002, 4);  // version 2.4
    Put(bytes_, 0, 8);  // time zone, accuracy
    Put(bytes_, snaplen, 4);
    Put(bytes_, linkType, 4);
}

CaptureWriter& CaptureWriter::RecordHeader(uint64_t timeUs, uint32_t included, uint32_t original) {
    Put(bytes_, timeUs / 1000000, 4);
    Put(bytes_, timeUs % 1000000 * (nanoseconds_ ? 1000 : 1), 4);
    Put(bytes_, included, 4);
    Put(bytes_, original, 4);
    return *this;
}

CaptureWriter& CaptureWriter::Packet(const CapturePacket& p) {
    std::vector<uint8_t> record;
    size_t headerLength = kHeader + p.extra.size();
    Put(record, p.headerLength < 0 ? headerLength : static_cast<uint64_t>(p.headerLength), 2);
    Put(record, p.irpId, 8);
    Put(record, 0, 4);  // status
    Put(record, p.function, 2);
    Put(record, p.info, 1);
    Put(record, p.bus, 2);
    Put(record, p.address, 2);
    Put(record, p.endpoint, 1);
    Put(record, p.transfer, 1);
    Put(record, p.dataLength < 0 ? p.data : static_cast<uint64_t>(p.dataLength), 4);
    record.insert(record.end(), p.extra.begin(), p.extra.end());
    size_t original = headerLength + p.data;
    size_t included = std::min<size_t>({original, snaplen_, p.cutTo});
    RecordHeader(p.timeUs, static_cast<uint32_t>(included), static_cast<uint32_t>(original));
    record.resize(std::min(record.size(), included));
    bytes_.insert(bytes_.end(), record.begin(), record.end());
    for (size_t i = 0; record.size() + i < included; ++i) bytes_.push_back(PayloadMarker(i));
    return *this;
}

bool CaptureWriter::Save(const std::wstring& path) const {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(file, bytes_.data(), static_cast<DWORD>(bytes_.size()), &written, nullptr) &&
              written == bytes_.size();
    return CloseHandle(file) && ok;
}

}  // namespace e2e
