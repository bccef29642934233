#pragma once
// The service's one working thread: overlapped reads on every capture stream, each piece fed
// to its hub's reader and counted into the section, and the beat, until the stop event.
#include <windows.h>
#include "driver/capture/service/CaptureDevice.h"
#include "driver/capture/service/SectionWriter.h"

namespace linsett::capture {

// `hubs[i]` is the section entry of `devices[i]`. A stream that ends or fails is dropped and
// the others go on; the beat goes on while none is left. Returns once `stop` is set, with
// every read cancelled and every capture stopped. Throws nothing.
void RunCaptureLoop(CaptureDevices& devices, const std::vector<int>& hubs, SectionWriter& writer, HANDLE stop) noexcept;

}  // namespace linsett::capture
