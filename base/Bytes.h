#pragma once
#include <cstdint>
#include <cstring>

// Reads of the library's published structures. They keep their 32-bit layouts in every
// build, so fields are read by offset from an address, never through a C++ struct;
// a "pointer" field is a 32-bit address (the library keeps everything below 4 GB).
namespace bytes {

using Address = uintptr_t;

inline const uint8_t* At(Address base, uint32_t offset) {
    return reinterpret_cast<const uint8_t*>(base) + offset;
}
inline uint8_t ReadU8(Address base, uint32_t offset) { return *At(base, offset); }
inline uint16_t ReadU16(Address base, uint32_t offset) {
    uint16_t value;
    std::memcpy(&value, At(base, offset), sizeof value);
    return value;
}
inline uint32_t ReadU32(Address base, uint32_t offset) {
    uint32_t value;
    std::memcpy(&value, At(base, offset), sizeof value);
    return value;
}
// A 32-bit address field, zero-extended to a native address (0 stays 0).
inline Address ReadPtr32(Address base, uint32_t offset) { return static_cast<Address>(ReadU32(base, offset)); }

inline void WriteU16(Address base, uint32_t offset, uint16_t value) {
    std::memcpy(reinterpret_cast<uint8_t*>(base) + offset, &value, sizeof value);
}
inline void WriteU8(Address base, uint32_t offset, uint8_t value) { *(reinterpret_cast<uint8_t*>(base) + offset) = value; }

}  // namespace bytes
