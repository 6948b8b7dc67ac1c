// The channel's rules over memory endpoints and the manual clock: what goes on the wire, when it
// is resent, what is delivered and what the channel holds.
#include "net/PackUdp.h"

#include "base/ManualClock.h"
#include "net/support/MemoryUDP.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <numeric>

namespace vlk {

struct PackUdpTestAccess {
    static void SetNumbering(TPackUdp& c, int32_t sequence, uint32_t message)
    {
        c.nextSequence_ = sequence;
        c.messageCounter_ = message;
    }
};

} // namespace vlk

using namespace vlk;
using namespace vlk::test;

namespace {

const uint32_t kAddrA = inet_addr("127.0.0.1");
const uint32_t kAddrB = inet_addr("127.0.0.2");
constexpr uint16_t kPortA = 4001;
constexpr uint16_t kPortB = 4002;

template <typename T>
T At(const std::vector<uint8_t>& b, size_t off)
{
    T v;
    std::memcpy(&v, b.data() + off, sizeof v);
    return v;
}

struct Packet {
    uint16_t type;
    int32_t sequence;
    uint16_t number, length, offset, fragment;
};

Packet Parse(const std::vector<uint8_t>& b)
{
    EXPECT_EQ(At<uint32_t>(b, 0), 0xFFFFFFFFu);
    Packet p{At<uint16_t>(b, 4), At<int32_t>(b, 6), 0, 0, 0, 0};
    if (p.type == 1000) {
        p.number = At<uint16_t>(b, 10);
        p.length = At<uint16_t>(b, 12);
        p.offset = At<uint16_t>(b, 14);
        p.fragment = At<uint16_t>(b, 16);
        EXPECT_EQ(b.size(), 18u + p.fragment);
    }
    return p;
}

std::vector<uint8_t> Bytes(size_t n, uint8_t seed = 1)
{
    std::vector<uint8_t> v(n);
    for (size_t i = 0; i < n; ++i)
        v[i] = static_cast<uint8_t>(seed + i * 7 + (i >> 8));
    return v;
}

std::vector<uint8_t> DataPacket(int32_t sequence, uint16_t number, uint16_t length, uint16_t offset,
                                const std::vector<uint8_t>& fragment)
{
    std::vector<uint8_t> b(18 + fragment.size());
    const uint32_t marker = 0xFFFFFFFF;
    const uint16_t type = 1000, fragLen = static_cast<uint16_t>(fragment.size());
    std::memcpy(&b[0], &marker, 4);
    std::memcpy(&b[4], &type, 2);
    std::memcpy(&b[6], &sequence, 4);
    std::memcpy(&b[10], &number, 2);
    std::memcpy(&b[12], &length, 2);
    std::memcpy(&b[14], &offset, 2);
    std::memcpy(&b[16], &fragLen, 2);
    std::copy(fragment.begin(), fragment.end(), b.begin() + 18);
    return b;
}

// Two channels wired through memory; B hears A as (kAddrA, kPortA) and the other way round.
struct Wire : ::testing::Test {
    ManualClock clock{1000};
    ClockScope scope{clock};
    TMemoryChannel a, b;
    std::vector<std::vector<uint8_t>> atA, atB;

    Wire()
    {
        a.channel.OnReceive = [this](uint32_t, uint16_t, const uint8_t* d, size_t n) { atA.emplace_back(d, d + n); };
        b.channel.OnReceive = [this](uint32_t, uint16_t, const uint8_t* d, size_t n) { atB.emplace_back(d, d + n); };
    }

    // Carries what each side sent to the other until both are quiet; drop decides a datagram's fate.
    void Pump(const std::function<bool(const TDatagram&)>& drop = {})
    {
        while (!a.endpoint->sent.empty() || !b.endpoint->sent.empty()) {
            auto fromA = std::exchange(a.endpoint->sent, {});
            auto fromB = std::exchange(b.endpoint->sent, {});
            for (const auto& d : fromA)
                if (!drop || !drop(d))
                    b.Deliver(kAddrA, kPortA, d.bytes);
            for (const auto& d : fromB)
                if (!drop || !drop(d))
                    a.Deliver(kAddrB, kPortB, d.bytes);
        }
    }
    void Send(const std::vector<uint8_t>& m) { a.channel.Send(kAddrB, kPortB, true, m.size(), m.data()); }
};

} // namespace

TEST_F(Wire, FragmentsCarryOffsetsAndLengths)
{
    const struct {
        size_t length;
        std::vector<std::pair<uint16_t, uint16_t>> fragments;   // offset, length
    } cases[] = {
        {1, {{0, 1}}},
        {800, {{0, 800}}},
        {801, {{0, 800}, {800, 1}}},
        {1600, {{0, 800}, {800, 800}}},
        {2401, {{0, 800}, {800, 800}, {1600, 800}, {2400, 1}}},
    };
    int32_t sequence = 0;
    uint16_t number = 0;
    for (const auto& c : cases) {
        Send(Bytes(c.length));
        ++number;
        ASSERT_EQ(a.endpoint->sent.size(), c.fragments.size()) << c.length;
        for (size_t i = 0; i < c.fragments.size(); ++i) {
            const auto& d = a.endpoint->sent[i];
            EXPECT_EQ(d.address, kAddrB);
            EXPECT_EQ(d.port, kPortB);
            const Packet p = Parse(d.bytes);
            EXPECT_EQ(p.type, 1000);
            EXPECT_EQ(p.sequence, ++sequence);
            EXPECT_EQ(p.number, number);
            EXPECT_EQ(p.length, c.length);
            EXPECT_EQ(p.offset, c.fragments[i].first);
            EXPECT_EQ(p.fragment, c.fragments[i].second);
        }
        Pump();
        ASSERT_EQ(atB.size(), 1u);
        EXPECT_EQ(atB[0], Bytes(c.length));
        atB.clear();
    }
    EXPECT_EQ(a.channel.PendingCount(), 0u) << "every packet acknowledged";

    a.channel.Send(kAddrB, kPortB, true, 0, nullptr);
    EXPECT_TRUE(a.endpoint->sent.empty()) << "an empty message sends nothing";
}

TEST_F(Wire, AcknowledgesEveryDataPacketAndDeliversOnce)
{
    Send(Bytes(10));
    const auto packet = a.endpoint->sent.at(0).bytes;
    a.endpoint->sent.clear();
    for (int i = 0; i < 3; ++i)
        b.Deliver(kAddrA, kPortA, packet);
    ASSERT_EQ(b.endpoint->sent.size(), 3u) << "duplicates are acknowledged again";
    for (const auto& ack : b.endpoint->sent) {
        EXPECT_EQ(ack.address, kAddrA);
        EXPECT_EQ(ack.port, kPortA);
        ASSERT_EQ(ack.bytes.size(), 10u);
        EXPECT_EQ(Parse(ack.bytes).type, 1001);
        EXPECT_EQ(Parse(ack.bytes).sequence, 1);
    }
    EXPECT_EQ(atB.size(), 1u);
}

TEST_F(Wire, UnacknowledgedPacketGoesOutFourTimesWithGrowingGaps)
{
    Send(Bytes(5));
    std::vector<uint32_t> sentAt{clock.Now()};
    a.endpoint->sent.clear();
    for (int ms = 0; ms < 10000; ms += 100) {
        clock.Advance(100);
        for (size_t i = 0; i < a.endpoint->sent.size(); ++i)
            sentAt.push_back(clock.Now());
        a.endpoint->sent.clear();
    }
    ASSERT_EQ(sentAt.size(), 4u);
    const uint32_t minGap[] = {700, 900, 1100};
    for (int i = 0; i < 3; ++i)
        EXPECT_GT(sentAt[i + 1] - sentAt[i], minGap[i]) << i;
    EXPECT_EQ(a.channel.PendingCount(), 0u) << "forgotten after the fourth send";

    Send(Bytes(5));
    Pump();
    clock.Advance(5000);
    EXPECT_TRUE(a.endpoint->sent.empty()) << "an acknowledged packet is never resent";
}

TEST_F(Wire, LostFragmentsAreResentAndTheMessageArrivesWhole)
{
    const auto message = Bytes(5000);
    Send(message);
    int dataSeen = 0;
    Pump([&](const TDatagram& d) { return Parse(d.bytes).type == 1000 && ++dataSeen % 2 == 0; });
    EXPECT_TRUE(atB.empty());
    EXPECT_EQ(b.channel.PartialCount(), 1u);
    clock.Advance(1000);
    Pump();
    ASSERT_EQ(atB.size(), 1u);
    EXPECT_EQ(atB[0], message);
    EXPECT_EQ(b.channel.PartialCount(), 0u);
    EXPECT_EQ(b.channel.PartialBytes(), 0u);
}

TEST_F(Wire, FragmentsInAnyOrderAndInterleavedMessagesReassemble)
{
    const auto first = Bytes(2000, 3);
    const auto second = Bytes(1700, 9);
    Send(first);
    Send(second);
    auto packets = std::exchange(a.endpoint->sent, {});
    ASSERT_EQ(packets.size(), 6u);
    // Last fragment first, and the two messages woven into each other.
    for (int i : {2, 5, 0, 3, 4, 1}) {
        b.Deliver(kAddrA, kPortA, packets[i].bytes);
        if (i != 1) {
            EXPECT_LE(atB.size(), 1u);
        }
    }
    ASSERT_EQ(atB.size(), 2u);
    EXPECT_EQ(atB[0], second);
    EXPECT_EQ(atB[1], first);
}

TEST_F(Wire, RawDatagramsPassThroughAndBadPacketsAreDropped)
{
    const std::vector<std::vector<uint8_t>> raw = {
        {1, 2, 3, 4, 5},
        {1, 0, 0, 0, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9},
        {0xFF, 0xFF, 0xFF, 0xFF, 0xE8},   // the marker but too short for a type
    };
    for (const auto& d : raw)
        b.Deliver(kAddrA, kPortA, d);
    EXPECT_EQ(atB, raw);

    atB.clear();
    auto wrongLength = DataPacket(1, 1, 10, 0, Bytes(10));
    wrongLength.push_back(0);
    auto unknownType = DataPacket(2, 1, 10, 0, Bytes(10));
    unknownType[4] = 0xEA;   // 1002
    auto tooShort = DataPacket(3, 1, 10, 0, {});
    tooShort.pop_back();
    for (const auto& d : {wrongLength, unknownType, tooShort})
        b.Deliver(kAddrA, kPortA, d);
    EXPECT_TRUE(atB.empty());
    EXPECT_TRUE(b.endpoint->sent.empty()) << "packets failing the length test are not acknowledged";

    b.Deliver(kAddrA, kPortA, DataPacket(4, 7, 100, 95, Bytes(10)));   // would overflow its message
    EXPECT_EQ(b.endpoint->sent.size(), 1u) << "acknowledged";
    EXPECT_TRUE(atB.empty());
    EXPECT_EQ(b.channel.PartialCount(), 0u) << "and holds nothing";

    b.channel.Send(kAddrA, kPortA, false, 3, "raw");
    EXPECT_EQ(b.endpoint->sent.back().bytes, (std::vector<uint8_t>{'r', 'a', 'w'}));
}

TEST_F(Wire, NumbersWrapAround)
{
    PackUdpTestAccess::SetNumbering(a.channel, 0x7FFFFFFD, 65529);
    for (int i = 0; i < 3; ++i)
        Send(Bytes(1));
    std::vector<std::pair<int32_t, uint16_t>> seen;
    for (const auto& d : a.endpoint->sent)
        seen.emplace_back(Parse(d.bytes).sequence, Parse(d.bytes).number);
    EXPECT_EQ(seen, (std::vector<std::pair<int32_t, uint16_t>>{{0x7FFFFFFE, 65530}, {0, 0}, {1, 1}}));
    Pump();
    EXPECT_EQ(atB.size(), 3u);
}

TEST_F(Wire, DuplicateWindowHoldsTheLast5001Packets)
{
    const auto old = DataPacket(1, 1, 1, 0, {42});
    b.Deliver(kAddrA, kPortA, old);
    for (int32_t s = 2; s <= 5001; ++s)   // 5000 further packets
        b.Deliver(kAddrA, kPortA, DataPacket(s, 2, 1, 0, {0}));
    b.Deliver(kAddrA, kPortA, old);
    EXPECT_EQ(atB.size(), 5001u) << "still remembered";
    b.Deliver(kAddrA, kPortA, DataPacket(5002, 2, 1, 0, {0}));   // the 5001st further packet
    b.Deliver(kAddrA, kPortA, old);
    EXPECT_EQ(atB.size(), 5003u) << "a very late duplicate is delivered again";
    EXPECT_EQ(atB.back(), std::vector<uint8_t>{42});
}

TEST_F(Wire, PartialMessagesExpireAfterTenMinutes)
{
    b.Deliver(kAddrA, kPortA, DataPacket(1, 1, 1000, 0, Bytes(800)));
    EXPECT_EQ(b.channel.PartialCount(), 1u);
    clock.Advance(600000);
    EXPECT_EQ(b.channel.PartialCount(), 1u);
    clock.Advance(31000);   // the next sweep, every 30 s
    EXPECT_EQ(b.channel.PartialCount(), 0u);
    EXPECT_EQ(b.channel.PartialBytes(), 0u);
}

TEST_F(Wire, SpoofedFirstFragmentsCannotExhaustMemory)
{
    // One sender opening thousands of 64 KB messages, then thousands of senders doing the same.
    const auto fragment = Bytes(800);
    int32_t sequence = 0;
    for (uint16_t number = 1; number <= 2000; ++number)
        b.Deliver(kAddrA, kPortA, DataPacket(++sequence, number, 65000, 0, fragment));
    EXPECT_LE(b.channel.PartialBytes(), packudp::kMaxPartialBytesPerPeer);
    for (uint16_t port = 1; port <= 3000; ++port)
        for (uint16_t number = 1; number <= 2; ++number)
            b.Deliver(kAddrA, port, DataPacket(++sequence, number, 65000, 0, fragment));
    EXPECT_LE(b.channel.PartialBytes(), packudp::kMaxPartialBytesTotal);

    // A real message in the middle of the flood still arrives.
    const auto message = Bytes(3000, 5);
    Send(message);
    Pump();
    ASSERT_EQ(atB.size(), 1u);
    EXPECT_EQ(atB[0], message);
}

TEST_F(Wire, ClosingForgetsEverythingAndRestartsTheNumbering)
{
    Send(Bytes(3000));
    b.Deliver(kAddrA, kPortA, a.endpoint->sent[0].bytes);
    EXPECT_GT(a.channel.PendingCount(), 0u);
    EXPECT_EQ(b.channel.PartialCount(), 1u);
    a.channel.SetActive(false);
    b.channel.SetActive(false);
    EXPECT_EQ(a.channel.PendingCount(), 0u);
    EXPECT_EQ(b.channel.PartialCount(), 0u);

    a.channel.SetActive(true);
    b.channel.SetActive(true);
    a.endpoint->sent.clear();
    Send(Bytes(1));
    const Packet p = Parse(a.endpoint->sent.at(0).bytes);
    EXPECT_EQ(p.sequence, 1);
    EXPECT_EQ(p.number, 1);
    Pump();
    EXPECT_EQ(atB.size(), 1u) << "the old packet's key was forgotten with the rest";
}

TEST_F(Wire, OwnerExceptionsDropOnlyThatDatagram)
{
    int calls = 0;
    b.channel.OnReceive = [&](uint32_t, uint16_t, const uint8_t*, size_t) {
        if (++calls == 1)
            throw std::runtime_error("owner failed");
    };
    Send(Bytes(2000));
    Send(Bytes(10));
    Pump();
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(b.channel.PartialCount(), 0u);
}

TEST(PackUdpKeys, PeerAndSeenKeys)
{
    EXPECT_EQ(TPackUdp::PeerKey(0, 0), 0x0000FFFFu);
    EXPECT_EQ(TPackUdp::PeerKey(0x12345678, 0x0001), 0x12345678u ^ 0x0001FFFEu);
    EXPECT_EQ(TPackUdp::SeenKey(0x0100007F, 80, 5), "0100007f005000000005");
    EXPECT_EQ(TPackUdp::SeenKey(0xFFFFFFFF, 0xFFFF, -1), "ffffffffffffffffffff");
}
