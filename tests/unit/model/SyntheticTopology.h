#pragma once
#include <windows.h>
#include <commctrl.h>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <vector>

// The library's published structures built by hand below 4 GB (their pointer fields are 32
// bits wide), and a hidden tree-view window holding the items.
class SyntheticTopology {
public:
    SyntheticTopology();
    ~SyntheticTopology();
    HWND TreeWindow() const { return tree_; }
    uintptr_t RootBlock() const { return rootBlock_; }
    uintptr_t NewNode(uint8_t kind) { return New(0x100, kind); }  // zeroed, kind set
    uintptr_t NewRecord(uint8_t kind, const char* key, uintptr_t node = 0) {  // connected to the node if given
        uintptr_t record = New(0x2D0, kind);
        SetAnsi(record, 0x008, key);
        if (node) Connect(record, node);
        return record;
    }
    void Connect(uintptr_t record, uintptr_t node) {  // both directions
        SetU32(record, 0x004, static_cast<uint32_t>(node));
        SetU32(node, 0x0C, static_cast<uint32_t>(record));
    }
    void SetU8(uintptr_t base, uint32_t offset, uint8_t value) { Put(base, offset, &value, 1); }
    void SetU16(uintptr_t base, uint32_t offset, uint16_t value) { Put(base, offset, &value, 2); }
    void SetU32(uintptr_t base, uint32_t offset, uint32_t value) { Put(base, offset, &value, 4); }
    // Pointer fields to a copy of the text, and a text held inline.
    void SetWide(uintptr_t base, uint32_t at, const wchar_t* s) { SetU32(base, at, Copy(s, (wcslen(s) + 1) * 2)); }
    void SetAnsi(uintptr_t base, uint32_t at, const char* s) { SetU32(base, at, Copy(s, strlen(s) + 1)); }
    void SetInlineWide(uintptr_t base, uint32_t at, const wchar_t* s) { Put(base, at, s, (wcslen(s) + 1) * 2); }
    HTREEITEM Insert(HTREEITEM parent, uintptr_t node, const char* text);
    // Links the records into a ring in the given order along link A (0x2CC) or B (0x2C8).
    void LinkRingA(const std::vector<uintptr_t>& records) { LinkRing(0x2CC, records); }
    void LinkRingB(const std::vector<uintptr_t>& records) { LinkRing(0x2C8, records); }
    // The root block: entry and monitor start records, the root item's low 32 bits.
    void SetRoot(uintptr_t entry, uintptr_t monitorStart, HTREEITEM rootItem, uint16_t lightPeriod = 100);

private:
    static void Put(uintptr_t base, uint32_t offset, const void* data, size_t size) {
        std::memcpy(reinterpret_cast<void*>(base + offset), data, size);
    }
    uint32_t Copy(const void* data, size_t size);  // into zeroed memory below 4 GB
    uintptr_t New(size_t size, uint8_t kind);
    void LinkRing(uint32_t offset, const std::vector<uintptr_t>& records);
    uint8_t* arena_ = nullptr;
    size_t used_ = 0;
    HWND tree_ = nullptr;
    uintptr_t rootBlock_ = 0;
};
