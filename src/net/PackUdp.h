#pragma once
// The signalling channel: messages of up to 65535 bytes over UDP, cut into fragments of at most
// 800 bytes, each acknowledged, resent by a 500 ms timer (at most four sends), duplicates
// suppressed over the last 5001 packets, fragmented messages reassembled per sender. Datagrams
// without its header pass through to the owner unchanged.
#include "base/Clock.h"
#include "net/BlockMemoryMng.h"
#include "net/HashList.h"
#include "net/StrHash.h"
#include "net/UDP.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

namespace vlk {

namespace packudp {
inline constexpr uint32_t kMarker = 0xFFFFFFFF;
inline constexpr uint16_t kTypeData = 1000;
inline constexpr uint16_t kTypeAck = 1001;
inline constexpr size_t kHeaderSize = 18;
inline constexpr size_t kAckSize = 10;
inline constexpr size_t kMaxFragment = 800;
inline constexpr size_t kMaxPacket = kHeaderSize + kMaxFragment;
inline constexpr uint32_t kTimerInterval = 500;
inline constexpr int kMaxSends = 4;
inline constexpr size_t kSeenWindow = 5001;
inline constexpr uint32_t kPartialExpiry = 600000;
inline constexpr int kSweepEveryTicks = 60;
inline constexpr uint32_t kLastMessageNumber = 65530;
inline constexpr int32_t kLastSequence = 0x7FFFFFFE;
// Bounds on what senders can make the channel hold in partial messages.
inline constexpr size_t kMaxPartialBytesPerPeer = 16u << 20;
inline constexpr size_t kMaxPartialBytesTotal = 64u << 20;
} // namespace packudp

class TPackUdp {
public:
    // The endpoint is a TUDP on a real socket unless a test hands in another.
    explicit TPackUdp(std::unique_ptr<TUDP> endpoint = std::make_unique<TUDP>());
    ~TPackUdp();
    TPackUdp(const TPackUdp&) = delete;
    TPackUdp& operator=(const TPackUdp&) = delete;

    bool Active() const { return active_; }
    void SetActive(bool on);

    uint16_t LocalPort = 0;
    uint32_t BindAddress = 0;   // network order; 0 = every local address

    void Send(uint32_t address, uint16_t port, bool reliable, size_t length, const void* data);

    // Every complete message and every raw datagram, on the receive thread. The data is valid
    // during the call only; the handler must not block or call back into the channel.
    std::function<void(uint32_t address, uint16_t port, const uint8_t* data, size_t length)> OnReceive;

    // The endpoint's datagram handler (receive thread).
    void HandleDatagram(uint32_t address, uint16_t port, const uint8_t* data, size_t length);
    // The 500 ms timer's work (GUI thread).
    void DoTimer();

    TUDP& Endpoint() { return *endpoint_; }
    size_t PendingCount() const;
    size_t PartialCount() const;
    size_t PartialBytes() const;

    static uint32_t PeerKey(uint32_t address, uint16_t port);
    static std::string SeenKey(uint32_t address, uint16_t port, int32_t sequence);

private:
    friend struct PackUdpTestAccess;   // lets tests start the numbering near its wrap
    struct TPendingRecord;
    struct TReassemblyNode;

    void HandleData(uint32_t address, uint16_t port, const uint8_t* data, size_t length);
    void HandleAck(const uint8_t* data, size_t length);
    void SendAck(uint32_t address, uint16_t port, int32_t sequence);
    bool RememberSeen(const std::string& key);
    void Reassemble(uint32_t address, uint16_t port, uint16_t number, uint16_t messageLength,
                    uint16_t offset, const uint8_t* fragment, uint16_t fragmentLength);
    void MakeRoomFor(uint32_t peerKey, size_t bytes);
    void DropNode(uint32_t peerKey, TReassemblyNode* node);
    void ExpirePartials(uint32_t now);
    void Clear();

    std::unique_ptr<TUDP> endpoint_;
    bool active_ = false;

    mutable std::mutex sendLock_;
    mutable std::mutex reassemblyLock_;
    TBlockMemoryMng recordPool_;
    TBlockMemoryMng nodePool_;
    TBlockMemoryMng ackPool_{packudp::kAckSize};
    TStrHash seen_{256};
    std::deque<std::string> seenOrder_;
    THashList<TPendingRecord*> pending_{1000};
    THashList<TReassemblyNode*> reassembly_{1000};
    size_t partialBytes_ = 0;
    int32_t nextSequence_ = 0;
    uint32_t messageCounter_ = 0;
    TTimer timer_;
    bool timerBusy_ = false;
    int timerTicks_ = 0;
};

} // namespace vlk
