// Packets out of USBPcap captures however the reads cut them; cut, damaged and unreadable streams.
#include <gtest/gtest.h>
#include <array>
#include "driver/capture/PcapStream.h"
#include "tests/support/CaptureWriter.h"

namespace {

using e2e::CapturePacket;
using e2e::CaptureWriter;
using linsett::capture::Packet;
using linsett::capture::PcapStream;
using Seen = std::array<uint64_t, 4>;  // time, bus, address, data length

struct Sink : linsett::capture::PacketSink {
    std::vector<Seen> seen;
    void OnPacket(const Packet& p) override { seen.push_back({p.timeUs, p.bus, p.address, p.dataLength}); }
};

struct Read {
    std::vector<Seen> seen;
    bool readable;  // what the last piece fed returned
    uint64_t malformed;
};

// Feeds the whole capture in pieces of `piece` bytes.
Read Feed(const std::vector<uint8_t>& bytes, size_t piece) {
    Sink sink;
    PcapStream stream(sink);
    bool readable = true;
    for (size_t at = 0; at < bytes.size(); at += piece)
        readable = stream.Feed(bytes.data() + at, std::min(piece, bytes.size() - at));
    return {sink.seen, readable, stream.Malformed()};
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
            ASSERT_EQ(Feed(w.Bytes(), piece).seen, expected) << "pieces of " << piece << ", magic " << magic;
        EXPECT_TRUE(e2e::HoldsPayload(w.Bytes().data(), w.Bytes().size()));  // what other tests look for
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
        {"claims more past extra bytes", 65535, {.data = 100, .extra = {0, 0, 0, 0}, .dataLength = 5000}, 100},
    };
    for (const Case& c : cases) {
        CaptureWriter w(c.snaplen);
        w.Packet(c.packet).Packet({.timeUs = 7, .address = 9, .data = 10});
        EXPECT_EQ(Feed(w.Bytes(), 5).seen, (std::vector<Seen>{{0, 1, 1, c.counted}, {7, 1, 9, 10}})) << c.what;
    }
}

TEST(CaptureStream, AnUnusableRecordIsSkippedAndCountedAndTheNextOneRead) {
    const CapturePacket next = {.timeUs = 7, .address = 9, .data = 10};
    const std::pair<const char*, std::vector<uint8_t>> cases[] = {
        {"header length 26", CaptureWriter().Packet({.data = 40, .headerLength = 26}).Packet(next).Bytes()},
        {"header past the record", CaptureWriter().Packet({.data = 10, .headerLength = 38}).Packet(next).Bytes()},
        {"record shorter than a header", CaptureWriter().RecordHeader(0, 10, 10).Raw({1, 2, 3, 4, 5, 6, 7, 8, 9, 0})
                                             .Packet(next).Bytes()},
        {"address 128", CaptureWriter().Packet({.address = 128, .data = 40}).Packet(next).Bytes()},
    };
    for (const auto& [what, bytes] : cases) {
        Read read = Feed(bytes, 9);
        EXPECT_TRUE(read.readable) << what;
        EXPECT_EQ(read.seen, (std::vector<Seen>{{7, 1, 9, 10}})) << what;
        EXPECT_EQ(read.malformed, 1u) << what;
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
        std::vector<uint8_t> bytes = c.bytes;
        bytes.insert(bytes.end(), good.Bytes().begin(), good.Bytes().end());
        Read read = Feed(bytes, 9);
        EXPECT_FALSE(read.readable) << c.what;
        EXPECT_EQ(read.seen.size(), c.packets) << c.what;
    }
}

}  // namespace
