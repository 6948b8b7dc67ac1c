// Arbitrary messages into vlkserver's room servers over memory endpoints, with two members present in
// room 501 and a guest holding room information for 503: plain messages straight into the
// dispatcher, the same enciphered through the channel's receive path, raw datagrams, and time
// passing (silent members dropped, room information going stale). A flag lets a message carry a
// present member's identity (number, room, hall key, connection tag) and come from that member's
// room window, so that the fuzzer reaches past the checks.
#include "vlkserver/support/ServerHarness.h"

#include "net/Envelope.h"

#include <cstring>

namespace {

using vlk::test::TServerHarness;

constexpr int32_t kCodes[] = {20010, 20013, 10021, 20015, 19012, 20111, 8016, 0, 99999};
constexpr uint16_t kPorts[] = {20011, 20022, 20033};

// The identity fields of the room header; the room-information request has number, room and hall
// key at the same places.
void Patch(std::vector<uint8_t>& message, const vlk::TRoomIdentity& id)
{
    auto put = [&](size_t off, const void* value, size_t n) {
        if (message.size() >= off + n)
            std::memcpy(message.data() + off, value, n);
    };
    put(8, &id.user, 4);
    put(12, &id.room, 4);
    put(16, &id.hallKey, 4);
    put(20, &id.tag.value, 4);
    put(24, &id.tag.word, 2);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TServerHarness h;
    TServerHarness::TClient* windows[] = {&h.Client(9, 6000), &h.Client(10, 6000)};
    auto& stranger = h.Client(12, 6000);
    const vlk::THallUserInfo a = h.LogIn(h.Client(9, 5000), 10001, vlk::test::kDigest123456);
    const vlk::THallUserInfo b = h.LogIn(h.Client(10, 5000), 10002, vlk::test::kDigest888888);
    const vlk::THallUserInfo guest = h.LogIn(h.Client(11, 5000), 0, "");
    const vlk::TRoomIdentity ids[] = {h.Enter(h.Client(9, 5000), *windows[0], a, 501).value(),
                                      h.Enter(h.Client(10, 5000), *windows[1], b, 501).value()};
    h.RoomInfo(h.Client(11, 5000), guest, 503, 20033);
    // The answers are not looked at from here on, so the clients need not decipher them.
    for (auto* client : {windows[0], windows[1], &stranger})
        client->link.channel.OnReceive = [](uint32_t, uint16_t, const uint8_t*, size_t) {};

    // Each step: a mode byte (target line or time passing, how the message arrives, identity
    // patch), a code byte, two length bytes, then the body.
    size_t at = 0;
    while (at + 4 <= size) {
        const uint8_t mode = data[at];
        const int32_t code = kCodes[data[at + 1] % std::size(kCodes)];
        const size_t length = static_cast<size_t>(data[at + 2] | (data[at + 3] << 8));
        at += 4;
        if ((mode & 3) == 3) {
            // Up to about 7 minutes, past every time-out of the room servers.
            h.Idle(static_cast<uint32_t>(length & 0x0FFF) * 100);
            continue;
        }
        const size_t n = std::min(length, size - at);
        const uint16_t port = kPorts[mode & 3];
        const int how = (mode >> 2) & 3;
        const bool patched = mode & 0x10;
        const size_t who = (mode >> 5) & 1;
        TServerHarness::TClient& from = patched ? *windows[who] : stranger;

        if (how == 3) {
            // A raw datagram, as anyone on the network can send one.
            h.serverEndpoints.at(port)->DoReadPack(from.address, from.port, n, data + at);
        } else {
            std::vector<uint8_t> message(vlk::kEnvelopeSize + n);
            std::memcpy(message.data(), &vlk::kEnvelopeMagic, 4);
            std::memcpy(message.data() + 4, &code, 4);
            std::memcpy(message.data() + vlk::kEnvelopeSize, data + at, n);
            if (patched)
                Patch(message, ids[who]);
            if (how == 0) {
                h.lines[mode & 3]->Handle(message, from.address, from.port);
            } else if (how == 1) {
                // Enciphered in one datagram without the channel's header, which passes unchanged.
                const size_t enciphered = vlk::Cipher().Encrypt(message, message.size());
                h.serverEndpoints.at(port)->DoReadPack(from.address, from.port, enciphered, message.data());
            } else {
                h.SendBytes(from, port, message);
            }
        }
        at += n;
        h.Settle();
    }
    return 0;
}
