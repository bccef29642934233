#include "driver/LowMemory.h"

#include <windows.h>

#include <cstring>

namespace linsett {

namespace {

constexpr uintptr_t kGranularity = 0x10000;
constexpr uint64_t kLimit = 0x100000000ull;
constexpr size_t kChunkSize = 0x10000;

bool g_simulatedLow = false;

uintptr_t RoundUp(uintptr_t value) { return (value + kGranularity - 1) & ~(kGranularity - 1); }

// Searches upward from 64 KB in 64 KB steps, skipping regions already in use.
uintptr_t AllocateLow(size_t size) {
    uintptr_t address = kGranularity;
    while (static_cast<uint64_t>(address) + size <= kLimit) {
        MEMORY_BASIC_INFORMATION info{};
        if (!VirtualQuery(reinterpret_cast<void*>(address), &info, sizeof info)) return 0;
        uintptr_t regionEnd = reinterpret_cast<uintptr_t>(info.BaseAddress) + info.RegionSize;
        if (info.State == MEM_FREE && regionEnd - address >= size) {
            void* block = VirtualAlloc(reinterpret_cast<void*>(address), size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
            if (block) return reinterpret_cast<uintptr_t>(block);
        }
        uintptr_t next = RoundUp(regionEnd);
        address = next > address ? next : address + kGranularity;
    }
    return 0;
}

}  // namespace

void SimulateLowMemory(bool on) { g_simulatedLow = on; }

Generation::~Generation() {
    for (const Chunk& chunk : chunks_) VirtualFree(reinterpret_cast<void*>(chunk.base), 0, MEM_RELEASE);
}

Addr Generation::Allocate(size_t size) {
    size = (size + 7) & ~size_t{7};
    if (chunks_.empty() || used_ + size > chunks_.back().size) {
        size_t chunkSize = size > kChunkSize ? RoundUp(size) : kChunkSize;
        uintptr_t base = g_simulatedLow ? 0 : AllocateLow(chunkSize);
        if (!base) {
            failed_ = true;
            return 0;
        }
        chunks_.push_back(Chunk{base, chunkSize});
        used_ = 0;
    }
    uintptr_t address = chunks_.back().base + used_;
    used_ += size;
    std::memset(reinterpret_cast<void*>(address), 0, size);  // fresh pages are zero; reused never are
    return static_cast<Addr>(address);
}

Addr Generation::Wide(std::u16string_view text) {
    Addr address = Allocate((text.size() + 1) * sizeof(char16_t));
    if (address) std::memcpy(At<char16_t>(address), text.data(), text.size() * sizeof(char16_t));
    return address;
}

Addr Generation::Ansi(std::string_view text) {
    Addr address = Allocate(text.size() + 1);
    if (address) std::memcpy(At<char>(address), text.data(), text.size());
    return address;
}

}  // namespace linsett
