#include "driver/usb/Worker.h"

namespace linsett::usb {

// Everything the thread touches, kept alive by the thread itself as long as it runs.
struct Worker::Shared {
    std::shared_ptr<Job> job;
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HWND window = nullptr;
    UINT ready = 0;
    HMODULE module = nullptr;  // the reference the thread holds on the library
    std::atomic<bool> stop{false};
    SRWLOCK posting = SRWLOCK_INIT;  // so that once the owner has walked away, nothing is posted
    bool abandoned = false;          // under `posting`
    ~Shared() {
        if (done) CloseHandle(done);
    }
};

namespace {

DWORD WINAPI Work(void* parameter) {
    auto* handed = static_cast<std::shared_ptr<Worker::Shared>*>(parameter);
    HMODULE module = nullptr;
    {
        std::shared_ptr<Worker::Shared> shared = std::move(*handed);
        delete handed;
        module = shared->module;
        try {
            shared->job->Run(shared->stop);
        } catch (...) {
            // Nothing found this time; the job's result says so.
        }
        SetEvent(shared->done);
        AcquireSRWLockExclusive(&shared->posting);
        if (!shared->abandoned) PostMessageW(shared->window, shared->ready, 0, 0);
        ReleaseSRWLockExclusive(&shared->posting);
    }
    // The library may be unloaded only once no code of it runs on this thread.
    FreeLibraryAndExitThread(module, 0);
}

}  // namespace

bool Worker::Start(std::shared_ptr<Job> job, HWND window, UINT ready) {
    if (shared_) return false;
    HMODULE module = nullptr;
    std::shared_ptr<Shared> shared;
    std::unique_ptr<std::shared_ptr<Shared>> handed;
    try {
        shared = std::make_shared<Shared>();
        handed = std::make_unique<std::shared_ptr<Shared>>(shared);
    } catch (...) {
        return false;
    }
    if (!shared->done || !GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                                             reinterpret_cast<LPCWSTR>(&Work), &module)) {
        return false;
    }
    shared->module = module;
    shared->job = std::move(job);
    shared->window = window;
    shared->ready = ready;
    HANDLE thread = CreateThread(nullptr, 0, &Work, handed.get(), 0, nullptr);
    if (!thread) {
        FreeLibrary(module);
        return false;
    }
    static_cast<void>(handed.release());  // the thread's now
    CloseHandle(thread);
    shared_ = std::move(shared);
    return true;
}

std::shared_ptr<Job> Worker::Finished() {
    if (!shared_ || WaitForSingleObject(shared_->done, 0) != WAIT_OBJECT_0) return nullptr;
    // The thread no longer touches the job once it has said it is done.
    std::shared_ptr<Job> job = std::move(shared_->job);
    shared_.reset();
    return job;
}

void Worker::Stop(DWORD waitMs) {
    if (!shared_) return;
    shared_->stop = true;
    AcquireSRWLockExclusive(&shared_->posting);
    shared_->abandoned = true;
    ReleaseSRWLockExclusive(&shared_->posting);
    WaitForSingleObject(shared_->done, waitMs);
    shared_.reset();
}

}  // namespace linsett::usb
