// Arbitrary messages into vlkserver's hall and room servers over memory endpoints:
// plain messages straight into the handlers, the same enciphered through the channel's receive
// path, and raw datagrams. A member and a guest are online from the start, and a flag lets a message
// carry one of their real sessions, so that the fuzzer reaches past the session checks.
#include "vlkserver/support/ServerHarness.h"

#include "net/Envelope.h"

#include <cstring>

namespace {

using vlk::test::TServerHarness;

constexpr int32_t kCodes[] = {10008, 11000, 10021, 11002, 20007, 10001, 8020, 20010, 10009, 11001, 0, 99999};

// Where each request that names a session carries the hall key and the user number.
struct TSessionFields {
    int32_t code;
    size_t keyOffset;
    size_t userOffset;
};
constexpr TSessionFields kSessionFields[] = {
    {10021, 16, 8}, {11002, 8, 12}, {20007, 8, 12}, {20010, 16, 8}, {10008, 8, 12}, {8020, 16, 8},
};

void Patch(std::vector<uint8_t>& message, int32_t code, const vlk::server::TOnlineUser& user)
{
    for (const auto& f : kSessionFields) {
        if (f.code != code)
            continue;
        const uint32_t key = user.HallKey;
        const int32_t id = user.UserID;
        if (message.size() >= f.keyOffset + 4)
            std::memcpy(message.data() + f.keyOffset, &key, 4);
        if (message.size() >= f.userOffset + 4)
            std::memcpy(message.data() + f.userOffset, &id, 4);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TServerHarness h;
    auto& client = h.Client(9);
    // The answers are not looked at, so the client need not decipher them.
    client.link.channel.OnReceive = [](uint32_t, uint16_t, const uint8_t*, size_t) {};
    vlk::server::TOnlineUser member, guest;
    member.UserID = 10001;
    member.Nickname = "小明";
    h.online.Add(member);
    h.online.Add(guest);
    const vlk::server::TOnlineUser sessions[] = {member, guest};
    const uint16_t ports[] = {vlk::kHallPort, 20011, 20022, 20033};
    const uint32_t from = client.address;

    // Each message: a mode byte (target server, how it arrives, session patch), a code byte, two
    // length bytes, then the body.
    size_t at = 0;
    while (at + 4 <= size) {
        const uint8_t mode = data[at];
        const int32_t code = kCodes[data[at + 1] % std::size(kCodes)];
        const size_t length = static_cast<size_t>(data[at + 2] | (data[at + 3] << 8));
        at += 4;
        const size_t n = std::min(length, size - at);
        const uint16_t port = ports[mode & 3];
        const int how = (mode >> 2) & 3;

        if (how == 3) {
            // A raw datagram, as anyone on the network can send one.
            h.serverEndpoints.at(port)->DoReadPack(from, client.port, n, data + at);
        } else {
            std::vector<uint8_t> message(vlk::kEnvelopeSize + n);
            std::memcpy(message.data(), &vlk::kEnvelopeMagic, 4);
            std::memcpy(message.data() + 4, &code, 4);
            std::memcpy(message.data() + vlk::kEnvelopeSize, data + at, n);
            if (mode & 0x10)
                Patch(message, code, sessions[(mode >> 5) & 1]);
            if (how == 0) {
                if (port == vlk::kHallPort)
                    h.hall->Handle(message, from, client.port);
                else
                    h.lines[(mode & 3) - 1]->Handle(message, from, client.port);
            } else if (how == 1) {
                // Enciphered in one datagram without the channel's header, which passes unchanged.
                const size_t length = vlk::Cipher().Encrypt(message, message.size());
                h.serverEndpoints.at(port)->DoReadPack(from, client.port, length, message.data());
            } else {
                h.SendBytes(client, port, message);
            }
        }
        at += n;
        h.Settle();
    }
    return 0;
}
