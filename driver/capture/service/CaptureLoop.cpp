#include "driver/capture/service/CaptureLoop.h"

#include <memory>
#include "base/HandleOwners.h"

namespace linsett::capture {

namespace {

constexpr DWORD kCancelWaitMs = 2000;

// One stream being read. It stays where it was made: the reader holds its counter, and the
// system its buffer and OVERLAPPED while a read is out.
struct Stream {
    Stream(std::unique_ptr<CaptureDevice> source, SectionWriter& writer, int hub)
        : device(std::move(source)), counter(writer, hub), reader(counter), buffer(device->ReadSize()) {
        overlapped.hEvent = event.Get();
    }
    ~Stream() { Cancel(); }

    std::unique_ptr<CaptureDevice> device;
    HubCounter counter;
    PcapStream reader;
    std::vector<uint8_t> buffer;
    KernelHandle event{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    OVERLAPPED overlapped{};
    uint64_t offset = 0;  // files need it; devices ignore it
    bool reading = false;

    // Asks for the next piece; false when the stream is over.
    bool Read() {
        if (!event) return false;
        ResetEvent(event.Get());
        overlapped.Offset = static_cast<DWORD>(offset);
        overlapped.OffsetHigh = static_cast<DWORD>(offset >> 32);
        reading = ReadFile(device->Handle(), buffer.data(), static_cast<DWORD>(buffer.size()), nullptr, &overlapped) ||
                  GetLastError() == ERROR_IO_PENDING;
        return reading;
    }

    // Takes a finished read and asks for the next; false when the stream is over.
    bool Finish() {
        reading = false;
        DWORD got = 0;
        if (!GetOverlappedResult(device->Handle(), &overlapped, &got, FALSE) || got == 0) return false;
        offset += got;
        return reader.Feed(buffer.data(), got) && Read();
    }

    // Cancels the read that is out; false when it would not end in time.
    bool Cancel() {
        if (!reading) return true;
        CancelIoEx(device->Handle(), &overlapped);
        reading = WaitForSingleObject(event.Get(), kCancelWaitMs) != WAIT_OBJECT_0;
        return !reading;
    }
};

void Close(std::unique_ptr<Stream>& stream) {
    if (!stream->Cancel()) {
        // The system still owns the buffer: leave the stream to it rather than free it.
        stream.release();
        return;
    }
    stream->device->Stop();
    stream.reset();
}

}  // namespace

void RunCaptureLoop(CaptureDevices& devices, const std::vector<int>& hubs, SectionWriter& writer, HANDLE stop) noexcept {
    try {
        std::vector<std::unique_ptr<Stream>> streams;
        for (size_t i = 0; i < devices.size(); ++i) {
            auto stream = std::make_unique<Stream>(std::move(devices[i]), writer, hubs[i]);
            if (stream->Read()) streams.push_back(std::move(stream));
            else Close(stream);
        }
        devices.clear();
        ULONGLONG nextBeat = GetTickCount64() + kBeatMs;
        std::vector<HANDLE> waits;
        for (;;) {
            waits.assign(1, stop);
            for (const auto& stream : streams) waits.push_back(stream->event.Get());
            const ULONGLONG now = GetTickCount64();
            const DWORD timeout = nextBeat > now ? static_cast<DWORD>(nextBeat - now) : 0;
            const DWORD woke = WaitForMultipleObjects(static_cast<DWORD>(waits.size()), waits.data(), FALSE, timeout);
            if (woke == WAIT_OBJECT_0 || woke == WAIT_FAILED) break;
            // Every finished read, not only the first the wait names, so no stream starves.
            for (auto& stream : streams)
                if (stream && HasOverlappedIoCompleted(&stream->overlapped) && !stream->Finish()) Close(stream);
            std::erase(streams, nullptr);
            if (GetTickCount64() >= nextBeat) {
                writer.Beat();
                nextBeat = GetTickCount64() + kBeatMs;
            }
        }
        for (auto& stream : streams) Close(stream);
    } catch (...) {
        // Out of memory: the service stops, and the streams went with their owners.
    }
}

}  // namespace linsett::capture
