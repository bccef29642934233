#include "driver/usb/ReplayFeed.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "driver/FileIo.h"
#include "driver/Text.h"
#include "driver/capture/PcapStream.h"
#include "driver/usb/ReplayFixture.h"

namespace linsett::usb {

namespace {

using capture::ActivitySection;

// One record as the replay needs it: when, which device, how many bytes; nothing of the data.
struct Played {
    uint64_t atUs = 0;  // from the capture's first record
    uint16_t address = 0;
    uint32_t length = 0;
};

class Recorder : public capture::PacketSink {
public:
    void OnPacket(const capture::Packet& packet) override {
        if (packets.empty()) first_ = packet.timeUs;
        uint64_t at = packet.timeUs > first_ ? packet.timeUs - first_ : 0;
        if (!packets.empty()) at = std::max(at, packets.back().atUs);  // a clock set back plays at once
        packets.push_back({at, packet.address, packet.dataLength});
    }

    std::vector<Played> packets;

private:
    uint64_t first_ = 0;
};

// One root hub's capture and how far it has been played.
struct Track {
    std::vector<Played> packets;
    uint64_t loopUs = 0;  // the whole seconds the capture spans, at least one
    uint64_t loopStartUs = 0;
    size_t next = 0;
};

class ReplayFeed : public ActivityFeed {
public:
    // False when the fixture names no capture.
    bool Load(const std::string& fixturePath) {
        std::string text, reason;
        replay::Fixture fixture;
        if (ReadWholeFile(fixturePath, text, reason) != ReadResult::Read ||
            !replay::ReadFixture(text, fixturePath, fixture, reason)) {
            return false;
        }
        const std::string folder = fixturePath.substr(0, fixturePath.find_last_of("\\/") + 1);
        for (const replay::Controller& controller : fixture.controllers) {
            if (controller.rootHub < 0 || tracks_.size() == capture::kMaxHubs) continue;
            const replay::Hub& hub = fixture.hubs[size_t(controller.rootHub)];
            if (hub.capture.empty()) continue;
            // Named as the capture driver names it, which the meter must see past.
            const std::u16string path = u"\\??\\" + hub.name;
            capture::HubCounters& entry = section_->hubs[tracks_.size()];
            std::copy_n(path.begin(), std::min<size_t>(path.size(), capture::kHubPathChars - 1), entry.hubPath);
            Record(folder + Narrow(hub.capture), tracks_.emplace_back());
        }
        section_->hubCount = uint32_t(tracks_.size());
        section_->version = capture::kSectionVersion;
        section_->magic = capture::kSectionMagic;
        return !tracks_.empty();
    }

    const ActivitySection* Counts(uint64_t nowMs) override {
        if (!why_.empty()) return nullptr;
        if (!started_) startMs_ = nowMs;
        started_ = true;
        for (size_t i = 0; i < tracks_.size(); ++i) Play(tracks_[i], section_->hubs[i], (nowMs - startMs_) * 1000);
        section_->beat = uint32_t((nowMs - startMs_) / capture::kBeatMs);
        return section_.get();
    }

    std::string WhyAbsent() const override { return why_; }

private:
    // Files only, read through the wide functions; a link could lead out of the folder.
    void Record(const std::string& path, Track& track) {
        const DWORD attributes = GetFileAttributesW(fileio::Widen(path).c_str());
        std::string bytes, reason = "not a file";
        if (attributes == INVALID_FILE_ATTRIBUTES ||
            (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) ||
            ReadWholeFile(path, bytes, reason) != ReadResult::Read) {
            why_ = "the recorded capture " + path + " could not be read (" + reason + ").";
            return;
        }
        Recorder recorder;
        capture::PcapStream stream(recorder);
        if (!stream.Feed(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size())) {
            why_ = path + " is not a USBPcap capture.";
            return;
        }
        track.packets = std::move(recorder.packets);
        if (!track.packets.empty()) track.loopUs = (track.packets.back().atUs / 1000000 + 1) * 1000000;
    }

    static void Play(Track& track, capture::HubCounters& hub, uint64_t elapsedUs) {
        if (track.packets.empty()) return;
        // Far behind (the lights were off): whole loops are skipped, not counted.
        if (elapsedUs > track.loopStartUs + 2 * track.loopUs) {
            track.loopStartUs = elapsedUs / track.loopUs * track.loopUs;
            track.next = 0;
        }
        for (;;) {
            if (track.next == track.packets.size()) {
                track.loopStartUs += track.loopUs;
                track.next = 0;
            }
            const Played& packet = track.packets[track.next];
            if (track.loopStartUs + packet.atUs > elapsedUs) break;
            hub.bytes[packet.address] += packet.length;  // wrapping, as the service's counters do
            ++track.next;
        }
    }

    std::unique_ptr<ActivitySection> section_ = std::make_unique<ActivitySection>();
    std::vector<Track> tracks_;
    bool started_ = false;
    uint64_t startMs_ = 0;
    std::string why_;
};

}  // namespace

std::unique_ptr<ActivityFeed> MakeReplayFeed(const std::string& fixturePath) {
    auto feed = std::make_unique<ReplayFeed>();
    return feed->Load(fixturePath) ? std::move(feed) : nullptr;
}

}  // namespace linsett::usb
