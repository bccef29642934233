#include "tests/unit/model/SyntheticTopology.h"

#include <cstring>
#include <cwchar>

namespace {
constexpr size_t kArenaSize = 1 << 20;
constexpr size_t kNodeSize = 0x100, kRecordSize = 0x2D0;

// The structures' pointer fields are 32 bits wide: memory must lie below 4 GB.
uint8_t* ReserveLowMemory(size_t size) {
    for (uintptr_t at = 0x10000000; at + size < 0x100000000ull; at += 0x10000) {
        void* block = VirtualAlloc(reinterpret_cast<void*>(at), size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
        if (block) return static_cast<uint8_t*>(block);
    }
    return nullptr;
}
}  // namespace

SyntheticTopology::SyntheticTopology() {
    arena_ = ReserveLowMemory(kArenaSize);
    InitCommonControls();
    tree_ = CreateWindowExA(0, WC_TREEVIEWA, "", 0, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    rootBlock_ = Allocate(0x10);
}

SyntheticTopology::~SyntheticTopology() {
    if (tree_) DestroyWindow(tree_);
    if (arena_) VirtualFree(arena_, 0, MEM_RELEASE);
}

uintptr_t SyntheticTopology::Allocate(size_t size) {
    size = (size + 7) & ~size_t{7};
    if (!arena_ || used_ + size > kArenaSize) return 0;
    uint8_t* block = arena_ + used_;
    used_ += size;
    std::memset(block, 0, size);
    return reinterpret_cast<uintptr_t>(block);
}

uintptr_t SyntheticTopology::NewNode(uint8_t kind) {
    uintptr_t node = Allocate(kNodeSize);
    SetU8(node, 0x00, kind);
    return node;
}

uintptr_t SyntheticTopology::NewRecord(uint8_t kind, const char* key) {
    uintptr_t record = Allocate(kRecordSize);
    SetU8(record, 0x000, kind);
    SetAnsi(record, 0x008, key);
    return record;
}

void SyntheticTopology::Connect(uintptr_t record, uintptr_t node) {
    SetU32(record, 0x004, static_cast<uint32_t>(node));
    SetU32(node, 0x0C, static_cast<uint32_t>(record));
}

void SyntheticTopology::SetU8(uintptr_t base, uint32_t offset, uint8_t value) {
    *reinterpret_cast<uint8_t*>(base + offset) = value;
}
void SyntheticTopology::SetU16(uintptr_t base, uint32_t offset, uint16_t value) {
    std::memcpy(reinterpret_cast<void*>(base + offset), &value, sizeof value);
}
void SyntheticTopology::SetU32(uintptr_t base, uint32_t offset, uint32_t value) {
    std::memcpy(reinterpret_cast<void*>(base + offset), &value, sizeof value);
}

void SyntheticTopology::SetWide(uintptr_t base, uint32_t offset, const wchar_t* text) {
    if (!text) return SetU32(base, offset, 0);
    size_t bytes = (std::wcslen(text) + 1) * sizeof(wchar_t);
    uintptr_t copy = Allocate(bytes);
    std::memcpy(reinterpret_cast<void*>(copy), text, bytes);
    SetU32(base, offset, static_cast<uint32_t>(copy));
}

void SyntheticTopology::SetAnsi(uintptr_t base, uint32_t offset, const char* text) {
    if (!text) return SetU32(base, offset, 0);
    size_t bytes = std::strlen(text) + 1;
    uintptr_t copy = Allocate(bytes);
    std::memcpy(reinterpret_cast<void*>(copy), text, bytes);
    SetU32(base, offset, static_cast<uint32_t>(copy));
}

void SyntheticTopology::SetInlineWide(uintptr_t base, uint32_t offset, const wchar_t* text) {
    std::memcpy(reinterpret_cast<void*>(base + offset), text, (std::wcslen(text) + 1) * sizeof(wchar_t));
}

HTREEITEM SyntheticTopology::Insert(HTREEITEM parent, uintptr_t node, const char* text) {
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent ? parent : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>(text);
    insert.item.lParam = static_cast<LPARAM>(node);
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

void SyntheticTopology::LinkRing(uint32_t offset, const std::vector<uintptr_t>& records) {
    for (size_t i = 0; i < records.size(); ++i)
        SetU32(records[i], offset, static_cast<uint32_t>(records[(i + 1) % records.size()]));
}
void SyntheticTopology::LinkRingA(const std::vector<uintptr_t>& records) { LinkRing(0x2CC, records); }
void SyntheticTopology::LinkRingB(const std::vector<uintptr_t>& records) { LinkRing(0x2C8, records); }

void SyntheticTopology::SetRoot(uintptr_t entry, uintptr_t monitorStart, HTREEITEM rootItem, uint16_t lightPeriod,
                                uint8_t changeCode) {
    SetU32(rootBlock_, 0x00, static_cast<uint32_t>(entry));
    SetU32(rootBlock_, 0x04, static_cast<uint32_t>(monitorStart));
    SetU32(rootBlock_, 0x08, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(rootItem)));
    SetU16(rootBlock_, 0x0C, lightPeriod);
    SetU8(rootBlock_, 0x0E, changeCode);
}
