#pragma once
// One job at a time on a thread of its own, which its owner can walk away from: the window's
// thread waits for a job only so long when the library stops, and a job still running then
// finishes alone, keeping itself and the library loaded until it has and posting nothing.
#include <windows.h>

#include <atomic>
#include <memory>

namespace linsett::usb {

class Job {
public:
    virtual ~Job() = default;
    // On the worker's thread; `stop` turns true when the owner no longer wants the result.
    // An exception ends the job as if it had found nothing.
    virtual void Run(const std::atomic<bool>& stop) = 0;
};

class Worker {
public:
    Worker() = default;
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;
    ~Worker() { Stop(0); }

    // Starts job and posts `ready` to window once it is done. False when a job is still
    // running or waiting to be taken, or no thread could be had.
    bool Start(std::shared_ptr<Job> job, HWND window, UINT ready);
    // True from Start until the finished job is taken.
    bool Busy() const { return shared_ != nullptr; }
    // The finished job, handed over once; null while it runs.
    std::shared_ptr<Job> Finished();
    // Tells the job to stop and waits for it at most waitMs; after that nothing is posted and
    // the job is left to end alone.
    void Stop(DWORD waitMs);

    struct Shared;

private:
    std::shared_ptr<Shared> shared_;
};

}  // namespace linsett::usb
