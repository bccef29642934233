#pragma once
// Turns the world into one generation of published structures and tree items, and edits a
// published generation in place where no topology change is needed.
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <vector>

#include "driver/LowMemory.h"
#include "driver/World.h"

namespace linsett {

struct Published {
    Generation memory;
    Addr root = 0;
    std::vector<Addr> records;  // by unit index
    std::vector<Addr> nodes;    // by unit index; 0 while not connected
};

// Builds the structures and, once they are complete, replaces the tree's items with theirs.
// Null when low memory ran out; the tree is then untouched.
std::unique_ptr<Published> Publish(const World& world, HWND tree, uint16_t lightPeriodMs, uint8_t changeCode);

// Copies what the program may have written (user texts, icons, the light switch) back.
void Harvest(const Published& published, World& world);

// Rewrites ring link A and the monitoring start after a move.
void Relink(const Published& published, const World& world);

// Writes the devices' current status codes into their nodes.
void WriteActivity(const Published& published, const World& world);

// The unit whose record is at this address, or -1.
int UnitOfRecord(const Published& published, const void* record);

}  // namespace linsett
