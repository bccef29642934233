// The shipped build's capture streams: one per root hub, from USBPcap's control devices
// \\.\USBPcap1..16, set up through the driver's documented control codes.
#include "driver/capture/service/CaptureDevice.h"

#include <winioctl.h>
#include <cstring>
#include <memory>
#include "base/HandleOwners.h"

namespace linsett::capture {

namespace {

constexpr DWORD kSetupBuffer = CTL_CODE(FILE_DEVICE_UNKNOWN, 0x800, METHOD_BUFFERED, FILE_READ_ACCESS);
constexpr DWORD kStartFiltering =
    CTL_CODE(FILE_DEVICE_UNKNOWN, 0x801, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);
constexpr DWORD kStopFiltering =
    CTL_CODE(FILE_DEVICE_UNKNOWN, 0x802, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);
constexpr DWORD kGetHubSymlink = CTL_CODE(FILE_DEVICE_UNKNOWN, 0x803, METHOD_BUFFERED, FILE_ANY_ACCESS);
constexpr DWORD kSetSnapLength = CTL_CODE(FILE_DEVICE_UNKNOWN, 0x804, METHOD_BUFFERED, FILE_READ_ACCESS);

#pragma pack(push, 1)
struct AddressFilter {
    UINT32 addresses[4];
    BOOLEAN filterAll;
};
#pragma pack(pop)

constexpr int kControlDevices = 16;
// Only the packet header's fixed part: it carries the whole transfer's length, so not one
// byte of any transfer's data need reach this process.
constexpr UINT32 kSnapLength = 27;
// The driver's buffer for each hub (4 KiB..128 MiB): at 43 bytes a record, a busy bus fills
// it in a fifth of a second, longer than a read takes to come back for more.
constexpr UINT32 kDriverBuffer = 1 << 20;
constexpr DWORD kControlWaitMs = 2000;

// One control request on a handle opened for overlapped I/O, waited for a bounded time. The
// request's state lives on the heap: one that the driver neither finishes nor cancels in time
// is left to it rather than freed under it.
bool Control(HANDLE device, DWORD code, const void* in, DWORD inSize, void* out = nullptr, DWORD outSize = 0) {
    struct Request {
        OVERLAPPED overlapped{};
        KernelHandle event{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
        BYTE buffer[2048];
    };
    auto request = std::make_unique<Request>();
    if (!request->event || outSize > sizeof request->buffer) return false;
    request->overlapped.hEvent = request->event.Get();
    DWORD returned = 0;
    if (!DeviceIoControl(device, code, const_cast<void*>(in), inSize, request->buffer, outSize, nullptr,
                         &request->overlapped) &&
        GetLastError() != ERROR_IO_PENDING)
        return false;
    if (WaitForSingleObject(request->event.Get(), kControlWaitMs) != WAIT_OBJECT_0) {
        CancelIoEx(device, &request->overlapped);
        if (WaitForSingleObject(request->event.Get(), kControlWaitMs) != WAIT_OBJECT_0) {
            request.release();
            return false;
        }
    }
    if (!GetOverlappedResult(device, &request->overlapped, &returned, FALSE)) return false;
    if (out) std::memcpy(out, request->buffer, returned < outSize ? returned : outSize);
    return true;
}

class UsbPcapDevice : public CaptureDevice {
public:
    UsbPcapDevice(KernelHandle device, std::wstring hubPath) : device_(std::move(device)), hubPath_(std::move(hubPath)) {}
    HANDLE Handle() const override { return device_.Get(); }
    const std::wstring& HubPath() const override { return hubPath_; }
    DWORD ReadSize() const override { return 64 << 10; }
    void Stop() override { Control(device_.Get(), kStopFiltering, nullptr, 0); }

private:
    KernelHandle device_;
    std::wstring hubPath_;
};

// Asks the driver for the root hub's name and starts capturing every device on it; false
// when the driver refuses any step (another program holds the capture, for one).
bool StartCapture(HANDLE device, std::wstring& hubPath) {
    wchar_t name[1024] = {};
    if (!Control(device, kGetHubSymlink, nullptr, 0, name, sizeof name - sizeof name[0]) || !name[0]) return false;
    hubPath = name;
    // The snapshot length only takes before the buffer exists.
    const UINT32 snapLength = kSnapLength, bufferSize = kDriverBuffer;
    AddressFilter filter{};
    filter.filterAll = TRUE;
    return Control(device, kSetSnapLength, &snapLength, sizeof snapLength) &&
           Control(device, kSetupBuffer, &bufferSize, sizeof bufferSize) &&
           Control(device, kStartFiltering, &filter, sizeof filter);
}

}  // namespace

ServiceExit OpenCaptureDevices(const std::vector<std::wstring>&, CaptureDevices& devices) {
    bool installed = false;
    for (int i = 1; i <= kControlDevices; ++i) {
        const std::wstring name = L"\\\\.\\USBPcap" + std::to_wstring(i);
        KernelHandle device(CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_OVERLAPPED, nullptr));
        if (device.Get() == INVALID_HANDLE_VALUE) {
            device.Release();
            const DWORD error = GetLastError();
            installed = installed || (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND);
            continue;
        }
        installed = true;
        std::wstring hubPath;
        if (StartCapture(device.Get(), hubPath))
            devices.push_back(std::make_unique<UsbPcapDevice>(std::move(device), std::move(hubPath)));
    }
    if (!devices.empty()) return kExitStopped;
    return installed ? kExitNoCapture : kExitNoUsbPcap;
}

}  // namespace linsett::capture
