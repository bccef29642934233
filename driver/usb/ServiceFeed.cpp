// The counts the capture service publishes, mapped for reading only. Without the section the
// lights rest, and the feed says why: USBPcap is missing (its control devices are named for
// every user), or the service is not running, which it then asks the system to start.
#include <windows.h>

#include "driver/usb/ActivityFeed.h"
#include "driver/usb/Worker.h"

namespace linsett::usb {

namespace {

constexpr uint64_t kRetryMs = 3000;       // an absent section is looked for again no sooner
constexpr uint64_t kStartAgainMs = 60000;  // nor is a service that did not come asked more often
constexpr wchar_t kServiceName[] = L"QuorvaneCapture";

bool CaptureDriverPresent() {
    wchar_t target[512];
    return QueryDosDeviceW(L"USBPcap1", target, 512) != 0;
}

// Starting a service waits for its process to come up, so it is asked from a thread of its
// own; nothing waits for the answer, the section's appearance is the answer.
class StartService : public Job {
public:
    void Run(const std::atomic<bool>&) override {
        SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT);
        if (!manager) return;
        if (SC_HANDLE service = OpenServiceW(manager, kServiceName, SERVICE_START)) {
            StartServiceW(service, 0, nullptr);
            CloseServiceHandle(service);
        }
        CloseServiceHandle(manager);
    }
};

class ServiceFeed : public ActivityFeed {
public:
    ~ServiceFeed() override { Close(); }

    const capture::ActivitySection* Counts(uint64_t nowMs) override {
        lastMs_ = nowMs;
        if (view_) return view_;
        if (looked_ && nowMs - lookedMs_ < kRetryMs) return nullptr;
        looked_ = true;
        lookedMs_ = nowMs;
        if (Open()) return view_;
        const bool driver = CaptureDriverPresent();
        why_ = driver ? kServiceNotRunning : "USBPcap is not installed.";
        if (driver && (!asked_ || nowMs - askedMs_ >= kStartAgainMs)) {
            starter_.Finished();  // the last one's job, if done
            // Nobody needs telling when it is done (WM_NULL to no window): the section is the answer.
            if (starter_.Start(std::make_shared<StartService>(), nullptr, WM_NULL)) {
                asked_ = true;
                askedMs_ = nowMs;
            }
        }
        return nullptr;
    }

    void LetGo() override {
        Close();
        why_ = kServiceNotRunning;
        looked_ = true;
        lookedMs_ = lastMs_;
    }

    std::string WhyAbsent() const override { return why_; }

private:
    void Close() {
        if (view_) UnmapViewOfFile(view_);
        if (section_) CloseHandle(section_);
        view_ = nullptr;
        section_ = nullptr;
    }

    bool Open() {
        section_ = OpenFileMappingW(FILE_MAP_READ, FALSE, capture::kSectionName);
        if (!section_) return false;
        // A view longer than the section fails: a smaller one of that name is not ours.
        view_ = static_cast<const capture::ActivitySection*>(
            MapViewOfFile(section_, FILE_MAP_READ, 0, 0, sizeof(capture::ActivitySection)));
        if (view_) return true;
        CloseHandle(section_);
        section_ = nullptr;
        return false;
    }

    HANDLE section_ = nullptr;
    const capture::ActivitySection* view_ = nullptr;
    bool looked_ = false;
    uint64_t lookedMs_ = 0, lastMs_ = 0;
    bool asked_ = false;
    uint64_t askedMs_ = 0;
    Worker starter_;
    std::string why_ = kServiceNotRunning;
};

}  // namespace

std::unique_ptr<ActivityFeed> MakeServiceFeed() { return std::make_unique<ServiceFeed>(); }

}  // namespace linsett::usb
