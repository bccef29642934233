#pragma once
// The capture streams the service reads, behind one narrow interface: the shipped build opens
// USBPcap's control devices (UsbPcapDevices.cpp), its test build replays capture files
// (ReplayDevices.cpp). Either way the service reads each handle with overlapped reads.
#include <windows.h>
#include <memory>
#include <string>
#include <vector>

namespace linsett::capture {

class CaptureDevice {
public:
    virtual ~CaptureDevice() = default;
    // Opened for overlapped reads; an end of file or a failed read ends the stream.
    virtual HANDLE Handle() const = 0;
    // The root hub whose traffic the stream carries, as the section names it.
    virtual const std::wstring& HubPath() const = 0;
    // Bytes one read asks for.
    virtual DWORD ReadSize() const = 0;
    // Ends the capture at its source once no read is outstanding, before the handle closes.
    virtual void Stop() {}
};

using CaptureDevices = std::vector<std::unique_ptr<CaptureDevice>>;

// How the service ends, as its service-specific exit code (driver/capture/README.md).
enum ServiceExit : DWORD {
    kExitStopped = 0,
    kExitNoUsbPcap = 1,      // no capture device exists: USBPcap is not installed
    kExitNoCapture = 2,      // devices exist but none would capture (in use, refused)
    kExitNoSection = 3,      // the activity section could not be made
    kExitFailed = 4,         // an unexpected failure (out of memory)
};

// Opens every capture stream this build has. `arguments` are the service's start arguments
// after its name. kExitStopped when at least one is open, else why there is none.
ServiceExit OpenCaptureDevices(const std::vector<std::wstring>& arguments, CaptureDevices& devices);

}  // namespace linsett::capture
