#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "base/HandleOwners.h"

// The bytes of a resource of the program's own module; empty when there is no such
// resource. Resource data stays mapped for the life of the module.
struct ResourceBytes {
    const uint8_t* data = nullptr;
    size_t size = 0;
};
ResourceBytes FindResourceBytes(UINT id, const char* type);

// A bitmap resource as a DIB section.
Bitmap LoadBitmapResource(UINT id);
