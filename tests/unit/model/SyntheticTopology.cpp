#include "tests/unit/model/SyntheticTopology.h"

static constexpr size_t kArenaSize = 1 << 20;

SyntheticTopology::SyntheticTopology() {
    for (uintptr_t at = 0x10000000; !arena_ && at + kArenaSize < 0x100000000ull; at += 0x10000)
        arena_ = static_cast<uint8_t*>(
            VirtualAlloc(reinterpret_cast<void*>(at), kArenaSize, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    InitCommonControls();
    tree_ = CreateWindowExA(0, WC_TREEVIEWA, "", 0, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    rootBlock_ = Copy(nullptr, 0x10);
}

SyntheticTopology::~SyntheticTopology() {
    DestroyWindow(tree_);
    VirtualFree(arena_, 0, MEM_RELEASE);
}

uint32_t SyntheticTopology::Copy(const void* data, size_t size) {
    uint8_t* block = arena_ + used_;  // committed memory starts zeroed
    used_ += (size + 7) & ~size_t{7};
    if (data) std::memcpy(block, data, size);
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(block));
}

uintptr_t SyntheticTopology::New(size_t size, uint8_t kind) {
    uintptr_t block = Copy(nullptr, size);
    SetU8(block, 0x00, kind);
    return block;
}

HTREEITEM SyntheticTopology::Insert(HTREEITEM parent, uintptr_t node, const char* text) {
    TVINSERTSTRUCTA insert{parent ? parent : TVI_ROOT, TVI_LAST, {}};
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>(text);
    insert.item.lParam = static_cast<LPARAM>(node);
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

void SyntheticTopology::LinkRing(uint32_t offset, const std::vector<uintptr_t>& records) {
    for (size_t i = 0; i < records.size(); ++i) SetU32(records[i], offset, uint32_t(records[(i + 1) % records.size()]));
}

void SyntheticTopology::SetRoot(uintptr_t entry, uintptr_t monitorStart, HTREEITEM rootItem, uint16_t lightPeriod) {
    const uint32_t fields[3] = {uint32_t(entry), uint32_t(monitorStart), uint32_t(uintptr_t(rootItem))};
    Put(rootBlock_, 0x00, fields, sizeof fields);
    SetU16(rootBlock_, 0x0C, lightPeriod);
}
