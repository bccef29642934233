// The capture stream reader: packets out of USBPcap captures however the reads cut them, and
// what it does with cut, damaged and unreadable streams.
#include <gtest/gtest.h>
#include <array>
#include <functional>
#include "driver/capture/PcapStream.h"
#include "tests/support/CaptureWriter.h"

namespace {

using e2e::CapturePacket;
using e2e::CaptureWriter;
using linsett::capture::PcapStream;
using Seen = std::array<uint64_t, 4>;  // time, bus, address, data length

struct Sink : linsett::capture::PacketSink {
    std::vector<Seen> seen;
    void OnPacket(const linsett::capture::Packet& p) override {
        seen.push_back({p.timeUs, p.bus, p.address, p.dataLength});
    }
};

// Feeds the whole capture in pieces of `piece` bytes.
std::vector<Seen> Read(const std::vector<uint8_t>& bytes, size_t piece) {
    Sink sink;
    PcapStream stream(sink);
    for (size_t at = 0; at < bytes.size(); at += piece)
        EXPECT_TRUE(stream.Feed(bytes.data() + at, std::min(piece, bytes.size() - at)));
    EXPECT_EQ(stream.Malformed(), 0u);
    return sink.seen;
}

TEST(CaptureStream, EveryPieceSizeGivesTheSamePacketsInMicroOrNanoseconds) {
    for (uint32_t magic : {CaptureWriter::kMicroseconds, CaptureWriter::kNanoseconds}) {
        CaptureWriter w(65535, magic);
        w.Packet({.timeUs = 4'300'000'000'123, .bus = 1, .address = 3, .endpoint = 0x02, .data = 512})
            .Packet({.timeUs = 4'300'000'000'124, .bus = 1, .address = 0, .transfer = 2, .data = 18, .extra = {1}})
            .Packet({.timeUs = 4'300'000'999'999, .bus = 2, .address = 127, .transfer = 0,
                     .data = 3072, .extra = std::vector<uint8_t>(36, 0xEE)})
            .Packet({.timeUs = 4'300'001'000'000, .bus = 3, .address = 9, .transfer = 1, .info = 0});
        const std::vector<Seen> expected = {{4'300'000'000'123, 1, 3, 512}, {4'300'000'000'124, 1, 0, 18},
                                            {4'300'000'999'999, 2, 127, 3072}, {4'300'001'000'000, 3, 9, 0}};
        for (size_t piece = 1; piece <= w.Bytes().size(); ++piece)
            ASSERT_EQ(Read(w.Bytes(), piece), expected) << "pieces of " << piece << ", magic " << magic;
    }
}

TEST(CaptureStream, ACutRecordCountsTheWholeTransferButNoMoreThanTheWireCarried) {
    struct Case {
        const char* what;
        uint32_t snaplen;
        CapturePacket packet;
        uint32_t counted;
    } cases[] = {
        {"data cut", 64, {.data = 16384}, 16384},
        {"control stage cut", 27, {.transfer = 2, .data = 8, .extra = {0}}, 8},
        {"iso descriptors cut", 40, {.transfer = 0, .data = 3072, .extra = std::vector<uint8_t>(36)}, 3072},
        {"header claims more", 65535, {.data = 100, .dataLength = 5000}, 100},
        {"header claims less", 65535, {.data = 100, .dataLength = 50}, 50},
        {"claims more past extra bytes", 65535, {.data = 100, .extra = std::vector<uint8_t>(12), .dataLength = 5000}, 100},
    };
    for (const Case& c : cases) {
        CaptureWriter w(c.snaplen);
        w.Packet(c.packet).Packet({.timeUs = 7, .address = 9, .data = 10});
        const std::vector<Seen> expected = {{0, 1, 1, c.counted}, {7, 1, 9, 10}};
        for (size_t piece : {size_t{5}, w.Bytes().size()}) EXPECT_EQ(Read(w.Bytes(), piece), expected) << c.what;
    }
}

TEST(CaptureStream, AnUnusableRecordIsSkippedAndCountedAndTheNextOneRead) {
    const std::pair<const char*, std::function<void(CaptureWriter&)>> cases[] = {
        {"header length 26", [](CaptureWriter& w) { w.Packet({.data = 40, .headerLength = 26}); }},
        {"header past the record", [](CaptureWriter& w) { w.Packet({.data = 10, .headerLength = 38}); }},
        {"record shorter than a header", [](CaptureWriter& w) { w.RecordHeader(0, 10, 10).Raw({1, 2, 3, 4, 5, 6, 7, 8, 9, 0}); }},
        {"address 128", [](CaptureWriter& w) { w.Packet({.address = 128, .data = 40}); }},
    };
    for (const auto& [what, damage] : cases) {
        CaptureWriter w;
        damage(w);
        w.Packet({.timeUs = 7, .address = 9, .data = 10});
        Sink sink;
        PcapStream stream(sink);
        EXPECT_TRUE(stream.Feed(w.Bytes().data(), w.Bytes().size())) << what;
        EXPECT_EQ(sink.seen, (std::vector<Seen>{{7, 1, 9, 10}})) << what;
        EXPECT_EQ(stream.Malformed(), 1u) << what;
    }
}

TEST(CaptureStream, AStreamThatLostItsFramingIsBrokenAndNothingAfterIsRead) {
    CaptureWriter good;
    good.Packet({.timeUs = 7, .address = 9, .data = 10});
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
        size_t packets;  // read before the stream broke
    } cases[] = {
        {"link type 1", CaptureWriter(65535, CaptureWriter::kMicroseconds, 1).Packet({}).Bytes(), 0},
        {"big-endian", CaptureWriter(65535, 0xD4C3B2A1).Packet({}).Bytes(), 0},
        {"file header cut", {good.Bytes().begin(), good.Bytes().begin() + 20}, 0},
        {"record too long", CaptureWriter().Packet({}).RecordHeader(0, PcapStream::kMaxRecord + 1, 0).Bytes(), 1},
    };
    for (const auto& c : cases) {
        Sink sink;
        PcapStream stream(sink);
        stream.Feed(c.bytes.data(), c.bytes.size());
        EXPECT_FALSE(stream.Feed(good.Bytes().data(), good.Bytes().size())) << c.what;
        EXPECT_TRUE(stream.Broken()) << c.what;
        EXPECT_EQ(sink.seen.size(), c.packets) << c.what;
    }
}

}  // namespace
