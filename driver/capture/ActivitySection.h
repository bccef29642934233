#pragma once
// The named section in which the capture service publishes how many bytes each USB device has
// moved, and from which the library reads them. Only counts: no byte of any transfer ever
// reaches it. The service alone writes it; users may map it for reading only.
//
// Counters are cumulative and wrap modulo 2^32, so a reader takes the difference between two
// looks and a 32-bit aligned load is never torn, in either build. A hub's entry is filled in
// before hubCount is raised past it, and is never reused while the section lives.
#include <cstdint>

namespace linsett::capture {

inline constexpr wchar_t kSectionName[] = L"Global\\QuorvaneUsbActivity";
constexpr uint32_t kSectionMagic = 0x41425551;  // "QUBA"
constexpr uint32_t kSectionVersion = 1;
constexpr int kMaxHubs = 16;
constexpr int kAddresses = 128;  // USB device addresses 0..127
constexpr int kHubPathChars = 256;

struct HubCounters {
    // The root hub's symbolic link as the capture driver names it (e.g. "\??\USB#ROOT_HUB30#..."),
    // zero-terminated UTF-16; readers compare it without its "\??\" or "\\.\" prefix and case.
    char16_t hubPath[kHubPathChars];
    uint32_t bytes[kAddresses];  // data bytes moved by each device address, since the capture began
};

struct ActivitySection {
    uint32_t magic;     // kSectionMagic once the section is ready
    uint32_t version;   // kSectionVersion
    uint32_t hubCount;  // entries of hubs[] in use
    // Advanced by the service at least every kBeatMs while it captures: a reader that sees it
    // stand still for longer knows the counts are stale (the service stopped or hangs).
    uint32_t beat;
    HubCounters hubs[kMaxHubs];
};

constexpr uint32_t kBeatMs = 250;

static_assert(sizeof(HubCounters) == 2 * kHubPathChars + 4 * kAddresses);
static_assert(sizeof(ActivitySection) == 16 + kMaxHubs * sizeof(HubCounters));

}  // namespace linsett::capture
