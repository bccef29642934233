// The test build's capture streams: capture files, named in the service's start arguments
// after "/replay" as <hub path>=<file>. Never in the shipped build.
#include "base/HandleOwners.h"
#include "driver/capture/service/CaptureDevice.h"

namespace linsett::capture {

namespace {

class ReplayFile : public CaptureDevice {
public:
    ReplayFile(KernelHandle file, std::wstring hubPath) : file_(std::move(file)), hubPath_(std::move(hubPath)) {}
    HANDLE Handle() const override { return file_.Get(); }
    const std::wstring& HubPath() const override { return hubPath_; }
    // An odd size, so records and their headers come split across reads as a device hands
    // them over.
    DWORD ReadSize() const override { return 997; }

private:
    KernelHandle file_;
    std::wstring hubPath_;
};

// Plain files only: nothing in the device namespace, no folder, no pipe.
KernelHandle OpenCaptureFile(const std::wstring& path) {
    if (path.empty() || path.starts_with(L"\\\\") || path.starts_with(L"//")) return {};
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OVERLAPPED | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    KernelHandle owner(file);
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return {};
    return owner;
}

}  // namespace

ServiceExit OpenCaptureDevices(const std::vector<std::wstring>& arguments, CaptureDevices& devices) {
    if (arguments.empty() || arguments[0] != L"/replay") return kExitNoUsbPcap;
    for (size_t i = 1; i < arguments.size(); ++i) {
        const size_t split = arguments[i].find(L'=');
        if (split == 0 || split == std::wstring::npos) continue;
        KernelHandle file = OpenCaptureFile(arguments[i].substr(split + 1));
        if (file) devices.push_back(std::make_unique<ReplayFile>(std::move(file), arguments[i].substr(0, split)));
    }
    return devices.empty() ? kExitNoCapture : kExitStopped;
}

}  // namespace linsett::capture
