#include "net/SignalSession.h"

#include "base/ManualClock.h"
#include "base/Record.h"
#include "net/Encrypt.h"
#include "net/Envelope.h"
#include "net/PackUdp.h"
#include "net/UDP.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

namespace vlk {
namespace {

using Bytes = std::vector<uint8_t>;

constexpr uint32_t kPeer = 0x0900007F;   // 127.0.0.9, network order
constexpr uint16_t kPeerPort = 20011;
constexpr uint32_t kDrainInterval = 30;

// An endpoint without a socket: it records what the channel sends.
class TRecordingUDP : public TUDP {
public:
    struct TDatagram {
        uint32_t address;
        uint16_t port;
        Bytes bytes;
    };

    bool GetActive() const override { return active_; }
    void SetActive(bool on) override { active_ = on; }
    bool SendBuf(uint32_t address, uint16_t port, size_t length, const void* data) override
    {
        const auto* p = static_cast<const uint8_t*>(data);
        Sent.push_back({address, port, Bytes(p, p + length)});
        return true;
    }

    std::vector<TDatagram> Sent;

private:
    bool active_ = false;
};

Bytes Message(int32_t code, size_t size = 12, int32_t magic = kEnvelopeMagic)
{
    TRecord record(size);
    record.setI32(0, magic);
    record.setI32(4, code);
    for (size_t i = 8; i < size; ++i)
        record.setU8(i, static_cast<uint8_t>(i));
    return record.bytes();
}

Bytes Enciphered(Bytes plain, TEncrypt& cipher = Cipher())
{
    cipher.Encrypt(plain, plain.size());
    return plain;
}

class SignalSessionTest : public ::testing::Test {
protected:
    SignalSessionTest() : scope(clock)
    {
        auto recording = std::make_unique<TRecordingUDP>();
        endpoint = recording.get();
        channel = std::make_unique<TPackUdp>(std::move(recording));
        session = std::make_unique<TSignalSession>(*channel, Cipher(), kDrainInterval);
        session->OnDispatch = [this](const Bytes& message, uint32_t, uint16_t) { dispatched.push_back(message); };
    }

    void Receive(const Bytes& datagram) { session->DoPackRecv(kPeer, kPeerPort, datagram.data(), datagram.size()); }

    std::vector<int32_t> DispatchedCodes() const
    {
        std::vector<int32_t> codes;
        for (const auto& message : dispatched)
            codes.push_back(CommandCode(message.data(), message.size()));
        return codes;
    }

    ManualClock clock;
    ClockScope scope;
    TRecordingUDP* endpoint = nullptr;
    std::unique_ptr<TPackUdp> channel;
    std::unique_ptr<TSignalSession> session;
    std::vector<Bytes> dispatched;
};

TEST_F(SignalSessionTest, EnvelopeDecidesWhatIsQueued)
{
    TEncrypt otherKey("another sixteen!");
    Bytes oversizedTrailer = Enciphered(Message(1));
    oversizedTrailer[oversizedTrailer.size() - 4] = 17;
    Bytes sevenBytes = Message(1, 8);
    sevenBytes.pop_back();
    Bytes cutShort = Enciphered(Message(1));
    cutShort.pop_back();

    const struct {
        const char* name;
        Bytes plain;
        Bytes datagram;
        bool queued;
    } cases[] = {
        {"code 0", Message(0), Enciphered(Message(0)), true},
        {"code 99999", Message(99999), Enciphered(Message(99999)), true},
        {"envelope alone", Message(7, 8), Enciphered(Message(7, 8)), true},
        {"code 100000", {}, Enciphered(Message(100000)), false},
        {"code -1", {}, Enciphered(Message(-1)), false},
        {"code INT_MIN", {}, Enciphered(Message(INT_MIN)), false},
        {"wrong magic", {}, Enciphered(Message(1, 12, kEnvelopeMagic + 1)), false},
        {"another key", {}, Enciphered(Message(1), otherKey), false},
        {"seven bytes", {}, Enciphered(sevenBytes), false},
        {"empty message", {}, Enciphered({}), false},
        {"not 4 plus whole blocks", {}, cutShort, false},
        {"trailer beyond the data", {}, oversizedTrailer, false},
        {"nothing at all", {}, {}, false},
    };
    for (const auto& c : cases) {
        dispatched.clear();
        Receive(c.datagram);
        EXPECT_EQ(session->QueueLength(), c.queued ? 1u : 0u) << c.name;
        session->DoQueueTimer();
        if (c.queued) {
            ASSERT_EQ(dispatched.size(), 1u) << c.name;
            EXPECT_EQ(dispatched[0], c.plain) << c.name;
        } else {
            EXPECT_TRUE(dispatched.empty()) << c.name;
        }
    }
}

// Lengths come from the wire: the envelope is read only when all eight bytes are there.
TEST(EnvelopeTest, NeverReadsPastTheData)
{
    const Bytes message = Message(4321, 8);
    for (size_t n = 0; n <= message.size(); ++n) {
        auto exact = std::make_unique<uint8_t[]>(n);   // no slack for a stray read to land in
        std::memcpy(exact.get(), message.data(), n);
        EXPECT_EQ(EnvelopeValid(exact.get(), n), n == 8) << n;
        EXPECT_EQ(CommandCode(exact.get(), n), n == 8 ? 4321 : -1) << n;
    }
}

TEST_F(SignalSessionTest, DrainsOneMessagePerTickInArrivalOrder)
{
    for (int32_t code = 100; code < 110; ++code)
        Receive(Enciphered(Message(code)));
    clock.Advance(5 * kDrainInterval);
    EXPECT_TRUE(dispatched.empty()) << "the timer drains only once started";

    session->Start();
    for (size_t tick = 0; tick < 10; ++tick) {
        clock.Advance(kDrainInterval - 1);
        ASSERT_EQ(dispatched.size(), tick);
        clock.Advance(1);
        ASSERT_EQ(dispatched.size(), tick + 1);
        EXPECT_EQ(session->QueueLength(), 9 - tick);
    }
    EXPECT_EQ(DispatchedCodes(), (std::vector<int32_t>{100, 101, 102, 103, 104, 105, 106, 107, 108, 109}));
    clock.Advance(3 * kDrainInterval);
    EXPECT_EQ(dispatched.size(), 10u) << "an empty queue dispatches nothing";

    session->Stop();
    Receive(Enciphered(Message(110)));
    clock.Advance(3 * kDrainInterval);
    EXPECT_EQ(dispatched.size(), 10u);
    EXPECT_EQ(session->QueueLength(), 1u);
}

TEST_F(SignalSessionTest, SendCommandEnciphersACopyAndSendsItReliably)
{
    // A peer channel and session on the other end of the wire.
    auto peerRecording = std::make_unique<TRecordingUDP>();
    TPackUdp peerChannel(std::move(peerRecording));
    TSignalSession peer(peerChannel, Cipher(), kDrainInterval);
    std::vector<Bytes> received;
    peer.OnDispatch = [&received](const Bytes& message, uint32_t, uint16_t) { received.push_back(message); };

    for (size_t size : {size_t{40}, size_t{2000}}) {   // one datagram; three fragments
        const Bytes record = Message(2001, size);
        Bytes callers = record;
        endpoint->Sent.clear();
        session->SendCommand(kPeer, kPeerPort, callers.size(), callers.data());
        EXPECT_EQ(callers, record) << "the caller's record is left alone";

        ASSERT_FALSE(endpoint->Sent.empty());
        for (const auto& datagram : endpoint->Sent) {
            EXPECT_EQ(datagram.address, kPeer);
            EXPECT_EQ(datagram.port, kPeerPort);
            ASSERT_GE(datagram.bytes.size(), packudp::kHeaderSize);
            EXPECT_EQ(TRecord(datagram.bytes.data(), datagram.bytes.size()).u32(0), packudp::kMarker);
            EXPECT_EQ(TRecord(datagram.bytes.data(), datagram.bytes.size()).u16(4), packudp::kTypeData)
                << "sent reliably";
            peerChannel.HandleDatagram(0x0100007F, 4000, datagram.bytes.data(), datagram.bytes.size());
        }
        peer.DoQueueTimer();
        ASSERT_EQ(received.size(), 1u) << size;
        EXPECT_EQ(received[0], record) << size;
        received.clear();
    }
}

TEST_F(SignalSessionTest, BeforeQueueCompletesValidMessagesOnly)
{
    // What the hall does with its user-address message: the sender's address and port go in.
    std::vector<int32_t> hooked;
    session->BeforeQueue = [&hooked](Bytes& message, uint32_t address, uint16_t port) {
        hooked.push_back(CommandCode(message.data(), message.size()));
        std::memcpy(message.data() + 22, &address, 4);
        std::memcpy(message.data() + 26, &port, 2);
    };
    Receive(Enciphered(Message(100000, 28)));
    Receive(Enciphered(Message(10009, 28)));
    EXPECT_EQ(hooked, std::vector<int32_t>{10009});

    session->DoQueueTimer();
    ASSERT_EQ(dispatched.size(), 1u);
    Bytes expected = Message(10009, 28);
    const uint8_t addressAndPort[] = {0x7F, 0, 0, 0x09, kPeerPort & 0xFF, kPeerPort >> 8};
    std::memcpy(expected.data() + 22, addressAndPort, sizeof addressAndPort);
    EXPECT_EQ(dispatched[0], expected);
}

TEST_F(SignalSessionTest, QueueIsBounded)
{
    for (int32_t code = 0; code <= static_cast<int32_t>(TSignalSession::kMaxQueued); ++code)
        Receive(Enciphered(Message(code, 8)));
    EXPECT_EQ(session->QueueLength(), TSignalSession::kMaxQueued);

    session->DoQueueTimer();
    Receive(Enciphered(Message(77777, 8)));
    EXPECT_EQ(session->QueueLength(), TSignalSession::kMaxQueued) << "room again after one is drained";
    while (session->QueueLength() > 0)
        session->DoQueueTimer();

    std::vector<int32_t> expected;
    for (int32_t code = 0; code < static_cast<int32_t>(TSignalSession::kMaxQueued); ++code)
        expected.push_back(code);
    expected.push_back(77777);
    EXPECT_EQ(DispatchedCodes(), expected) << "the newest message is the one dropped";
}

// The receive thread fills the queue while the GUI thread drains it and sends through the same cipher.
TEST_F(SignalSessionTest, ReceiveThreadAndDrainTimerShareTheQueue)
{
    constexpr int32_t kMessages = 2000;
    std::vector<Bytes> datagrams;
    for (int32_t code = 0; code < kMessages; ++code)
        datagrams.push_back(Enciphered(Message(code, 8 + code % 50)));

    session->Start();
    std::thread receiver([&] {
        for (const auto& datagram : datagrams)
            Receive(datagram);
    });
    const Bytes command = Message(3000, 64);
    for (int tick = 0; tick < 10 * kMessages && dispatched.size() < static_cast<size_t>(kMessages); ++tick) {
        session->SendCommand(kPeer, kPeerPort, command.size(), command.data());
        clock.Advance(kDrainInterval);
    }
    receiver.join();

    std::vector<int32_t> expected;
    for (int32_t code = 0; code < kMessages; ++code)
        expected.push_back(code);
    EXPECT_EQ(DispatchedCodes(), expected);
}

TEST_F(SignalSessionTest, DestroyingTheSessionClosesTheChannelFirst)
{
    channel->SetActive(true);
    ASSERT_TRUE(endpoint->GetActive());
    session.reset();
    EXPECT_FALSE(channel->Active());
    EXPECT_FALSE(endpoint->GetActive());
    EXPECT_FALSE(channel->OnReceive);
}

} // namespace
} // namespace vlk
