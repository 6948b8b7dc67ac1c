// Two channels on real loopback sockets through a relay that loses, duplicates, delays and
// reorders: every message arrives, intact, exactly once.
#include "net/PackUdp.h"

#include "base/PollLoop.h"
#include "net/support/ImpairmentRelay.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <map>
#include <mutex>
#include <random>

using namespace vlk;
using namespace vlk::test;

namespace {

const uint32_t kLoopback = inet_addr("127.0.0.1");

// Message i: its index, then bytes that follow from the index, so any damage shows.
std::vector<uint8_t> Message(uint32_t index, size_t size)
{
    std::vector<uint8_t> m(size);
    std::mt19937 bytes(index);
    for (auto& b : m)
        b = static_cast<uint8_t>(bytes());
    std::memcpy(m.data(), &index, std::min<size_t>(4, size));
    return m;
}

struct Receipts {
    std::mutex mutex;
    std::map<uint32_t, int> count;
    int damaged = 0;
    size_t Delivered()
    {
        std::lock_guard lock(mutex);
        return count.size();
    }
};

} // namespace

TEST(PackUdpLoopback, ThousandMessagesUnderLossArriveIntactExactlyOnce)
{
    // Everything the receive thread touches is declared first, so it outlives the channels.
    std::mt19937 sizes(2024);
    std::vector<size_t> sizeOf(1000);
    for (auto& s : sizeOf)
        s = std::uniform_int_distribution<size_t>(4, 65528)(sizes);
    sizeOf[0] = 4;
    sizeOf[1] = 65528;
    Receipts receipts;
    // Other tests run beside this one; only what comes through the relay counts.
    std::atomic<uint16_t> relayPort{0};

    PollLoop loop;
    ClockScope scope(loop);
    TPackUdp a, b;
    b.OnReceive = [&](uint32_t, uint16_t port, const uint8_t* data, size_t length) {
        if (port != relayPort)
            return;
        uint32_t index = 0;
        std::memcpy(&index, data, std::min<size_t>(4, length));
        std::lock_guard lock(receipts.mutex);
        if (index >= sizeOf.size() || length != sizeOf[index] || Message(index, length) != std::vector<uint8_t>(data, data + length))
            ++receipts.damaged;
        else
            ++receipts.count[index];
    };
    a.BindAddress = b.BindAddress = kLoopback;
    for (TPackUdp* c : {&a, &b}) {
        c->Endpoint().Socket().SetRecvBufferSize(4 << 20);
        c->Endpoint().Socket().SetSendBufferSize(4 << 20);
        c->SetActive(true);
    }
    TImpairmentRelay relay(kLoopback, kLoopback, a.Endpoint().Socket().LocalPort(), kLoopback,
                           b.Endpoint().Socket().LocalPort(), {});
    relayPort = relay.PortFacingB();

    // Keep a few dozen messages in flight: enough to interleave fragments of many messages on the
    // wire, few enough for the socket buffers. And pace the packets: the duplicate window holds
    // 5001 packets, which at this rate span more than the 3.5 s in which a packet is resent, as at
    // the rates signalling really has; faster, a late resend could be taken for a new packet.
    constexpr size_t kInFlight = 32;
    constexpr double kPacketsPerSecond = 1200;
    const auto start = std::chrono::steady_clock::now();
    const auto seconds = [&] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(); };
    size_t packets = 0;
    for (uint32_t i = 0; i < sizeOf.size(); ++i) {
        while (i - receipts.Delivered() >= kInFlight || packets > kPacketsPerSecond * seconds())
            loop.RunFor(2);
        const auto m = Message(i, sizeOf[i]);
        a.Send(kLoopback, relay.PortFacingA(), true, m.size(), m.data());
        packets += (m.size() + packudp::kMaxFragment - 1) / packudp::kMaxFragment;
    }
    for (int waited = 0; receipts.Delivered() < sizeOf.size() && waited < 90000; waited += 10)
        loop.RunFor(10);

    const auto stats = relay.GetStats();
    EXPECT_GT(stats.dropped, 1000u) << "the relay did lose datagrams";
    EXPECT_GT(stats.duplicated, 100u);
    std::lock_guard lock(receipts.mutex);
    EXPECT_EQ(receipts.damaged, 0);
    EXPECT_EQ(receipts.count.size(), sizeOf.size());
    for (const auto& [index, times] : receipts.count)
        EXPECT_EQ(times, 1) << "message " << index;
}
