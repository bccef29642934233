#pragma once
// Memory below 4 GB for everything the library publishes, so that a 32-bit field can hold
// a real address in the x86_64 build too. One Generation holds one topology's structures
// and texts and gives them all back at once.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "driver/Layout.h"

namespace linsett {

// The control channel's low-memory fault: while on, no more memory is found, as if the
// memory below 4 GB had run out.
void SimulateLowMemory(bool on);

class Generation {
public:
    Generation() = default;
    Generation(const Generation&) = delete;
    Generation& operator=(const Generation&) = delete;
    ~Generation();

    // Zeroed, 8-byte aligned; 0 when no low memory is left.
    Addr Allocate(size_t size);
    Addr Wide(std::u16string_view text);  // zero-terminated UTF-16
    Addr Ansi(std::string_view text);     // zero-terminated bytes

    template <class T>
    T* At(Addr address) const {
        return reinterpret_cast<T*>(static_cast<uintptr_t>(address));
    }
    // Out of low memory, New hands out a scratch block and Failed() turns true, so that a
    // builder can finish its pass and then throw the generation away.
    template <class T>
    T* New(Addr& address) {
        static_assert(sizeof(T) <= sizeof(scratch_));
        address = Allocate(sizeof(T));
        return address ? At<T>(address) : reinterpret_cast<T*>(scratch_);
    }
    bool Failed() const { return failed_; }

private:
    struct Chunk {
        uintptr_t base;
        size_t size;
    };
    std::vector<Chunk> chunks_;
    size_t used_ = 0;  // in the last chunk
    bool failed_ = false;
    alignas(8) unsigned char scratch_[sizeof(DeviceRecord)];
};

}  // namespace linsett
