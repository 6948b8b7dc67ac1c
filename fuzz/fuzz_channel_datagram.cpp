// The channel's datagram handler on arbitrary datagrams from a handful of senders: nothing may
// crash, read out of bounds or make the channel hold more than its bounds.
#include "base/ManualClock.h"
#include "net/PackUdp.h"
#include "net/support/MemoryUDP.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    vlk::ManualClock clock;
    vlk::ClockScope scope(clock);
    vlk::test::TMemoryChannel c;
    size_t delivered = 0;
    c.channel.OnReceive = [&](uint32_t, uint16_t, const uint8_t*, size_t length) { delivered += length; };

    // Each datagram: one byte sender, two bytes length, then the bytes.
    size_t at = 0;
    while (at + 3 <= size) {
        const uint8_t sender = data[at];
        const size_t length = static_cast<size_t>(data[at + 1] | (data[at + 2] << 8)) % 2049;
        at += 3;
        const size_t n = length < size - at ? length : size - at;
        c.Deliver(0x0100007F + (sender & 3), static_cast<uint16_t>(4000 + (sender >> 2)),
                  std::vector<uint8_t>(data + at, data + at + n));
        at += n;
        if (sender == 0xFF)
            clock.Advance(700000);
    }
    if (c.channel.PartialBytes() > vlk::packudp::kMaxPartialBytesTotal)
        __builtin_trap();
    return 0;
}
