#pragma once
#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <vector>

// Builds the library's published structures by hand, below 4 GB as the library does,
// and a real hidden tree-view window holding the items, so the model can be tested
// against exact bytes without the library.
class SyntheticTopology {
public:
    SyntheticTopology();
    ~SyntheticTopology();
    SyntheticTopology(const SyntheticTopology&) = delete;
    SyntheticTopology& operator=(const SyntheticTopology&) = delete;

    HWND TreeWindow() const { return tree_; }
    uintptr_t RootBlock() const { return rootBlock_; }

    uintptr_t NewNode(uint8_t kind);                      // zeroed, kind set
    uintptr_t NewRecord(uint8_t kind, const char* key);  // zeroed, kind and key set
    void Connect(uintptr_t record, uintptr_t node);      // both directions

    void SetU8(uintptr_t base, uint32_t offset, uint8_t value);
    void SetU16(uintptr_t base, uint32_t offset, uint16_t value);
    void SetU32(uintptr_t base, uint32_t offset, uint32_t value);
    void SetWide(uintptr_t base, uint32_t offset, const wchar_t* text);  // text pointer field
    void SetAnsi(uintptr_t base, uint32_t offset, const char* text);     // text pointer field
    void SetInlineWide(uintptr_t base, uint32_t offset, const wchar_t* text);

    HTREEITEM Insert(HTREEITEM parent, uintptr_t node, const char* text);
    // Links the records into a ring in the given order along link A (0x2CC) or B (0x2C8).
    void LinkRingA(const std::vector<uintptr_t>& records);
    void LinkRingB(const std::vector<uintptr_t>& records);
    // Fills the root block: entry and monitor start records, the root item's low 32 bits.
    void SetRoot(uintptr_t entry, uintptr_t monitorStart, HTREEITEM rootItem, uint16_t lightPeriod = 100,
                 uint8_t changeCode = 0);

private:
    uintptr_t Allocate(size_t size);
    void LinkRing(uint32_t offset, const std::vector<uintptr_t>& records);
    uint8_t* arena_ = nullptr;
    size_t used_ = 0;
    HWND tree_ = nullptr;
    uintptr_t rootBlock_ = 0;
};
