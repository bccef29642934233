#pragma once
// The six exports of Linsett.dll and the callback type, for the program and the library alike.
// Types only: no definitions live here.
#include <windows.h>

#include <cstdint>

extern "C" {

// uint32_t __stdcall f(uint32_t): OnTopologyChanged gets the new root block's 32-bit address.
typedef uint32_t(__stdcall* LinsettCallback)(uint32_t argument);

// The table the program hands to InitializeDLL: three native code pointers in this order.
enum LinsettCallbackSlot {
    kOnTopologyChanged = 0,
    kOnDriverNotice = 1,
    kOnTopologyChanging = 2,
    kLinsettCallbackCount = 3
};

typedef void*(__cdecl* InitializeDLLFn)(HWND treeWindow, const void* callbackTable);
typedef int(__cdecl* DeinitializeDLLFn)();
typedef int(__cdecl* MoveNodeUpFn)(void* record, int places);
typedef int(__cdecl* MoveNodeDownFn)(void* record, int places);
typedef int(__cdecl* ShowRealTimeTransmissionLightFn)(int on, int constant);
typedef int(__cdecl* SaveChangeFn)();

// Exported through Linsett.def with these undecorated names.
#ifdef LINSETT_BUILDING_LIBRARY
void* __cdecl InitializeDLL(HWND treeWindow, const void* callbackTable);
int __cdecl DeinitializeDLL();
int __cdecl MoveNodeUp(void* record, int places);
int __cdecl MoveNodeDown(void* record, int places);
int __cdecl ShowRealTimeTransmissionLight(int on, int constant);
int __cdecl SaveChange();
#endif
}
