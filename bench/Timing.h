#pragma once
#include <windows.h>

#include <functional>

// Nanoseconds per call of `call(i)`, after a tenth as many calls to warm up. GDI's batch
// is flushed before the clock stops, so queued drawing is counted.
inline double NanosecondsPerCall(int calls, const std::function<void(int)>& call) {
    for (int i = 0; i < calls / 10 + 1; ++i) call(i);
    LARGE_INTEGER frequency, start, stop;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < calls; ++i) call(i);
    GdiFlush();
    QueryPerformanceCounter(&stop);
    return double(stop.QuadPart - start.QuadPart) * 1e9 / double(frequency.QuadPart) / calls;
}
