#include "net/PackUdp.h"

#include "base/DebugLog.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <thread>
#include <vector>

namespace vlk {

using namespace packudp;

namespace {

template <typename T>
T Read(const uint8_t* p)
{
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

template <typename T>
void Write(uint8_t* p, T v)
{
    std::memcpy(p, &v, sizeof v);
}

// What a partial message costs against the bounds: its buffer and its node, so that even empty
// messages cannot pile up without limit.
size_t NodeCost(size_t length) { return length + 64; }

// Signed difference of two ticks, so that the 32-bit wrap does not matter.
int32_t Elapsed(uint32_t now, uint32_t then) { return static_cast<int32_t>(now - then); }

} // namespace

// A packet waiting for its acknowledgement, as it went on the wire; one 832-byte pool block.
struct TPackUdp::TPendingRecord {
    uint32_t address;
    int32_t sendCount;
    uint32_t lastSend;
    uint16_t port;
    uint8_t packet[kMaxPacket];

    size_t PacketLength() const { return kHeaderSize + Read<uint16_t>(packet + 16); }
};

// A message being reassembled; the nodes of one sender form a doubly linked chain.
struct TPackUdp::TReassemblyNode {
    uint32_t number;
    uint16_t length;
    uint16_t received;
    std::vector<uint8_t> buffer;
    uint32_t created;
    TReassemblyNode* prev;
    TReassemblyNode* next;
};

TPackUdp::TPackUdp(std::unique_ptr<TUDP> endpoint)
    : endpoint_(std::move(endpoint)), recordPool_(sizeof(TPendingRecord)), nodePool_(sizeof(TReassemblyNode))
{
    endpoint_->OnReceive = [this](uint32_t address, uint16_t port, size_t length, const uint8_t* data) {
        HandleDatagram(address, port, data, length);
    };
    static_assert(sizeof(TPendingRecord) == 832, "a pending record fills one 832-byte pool block");
    timer_.SetInterval(kTimerInterval);
    timer_.OnTimer = [this](TTimer&) { DoTimer(); };
}

TPackUdp::~TPackUdp()
{
    SetActive(false);
}

void TPackUdp::SetActive(bool on)
{
    if (on == active_)
        return;
    if (on) {
        endpoint_->LocalPort = LocalPort;
        endpoint_->BindAddress = BindAddress;
        endpoint_->SetActive(true);
        active_ = true;
        timer_.SetEnabled(true);
        return;
    }
    timer_.SetEnabled(false);
    endpoint_->SetActive(false);   // waits for the receive thread, so nothing below races with it
    active_ = false;
    nextSequence_ = 0;
    messageCounter_ = 0;
    Clear();
}

uint32_t TPackUdp::PeerKey(uint32_t address, uint16_t port)
{
    const uint32_t p = port;
    return address ^ ((p << 16) | (~p & 0xFFFF));
}

std::string TPackUdp::SeenKey(uint32_t address, uint16_t port, int32_t sequence)
{
    char key[24];
    std::snprintf(key, sizeof key, "%08x%04x%08x", address, static_cast<unsigned>(port), static_cast<uint32_t>(sequence));
    return key;
}

void TPackUdp::Send(uint32_t address, uint16_t port, bool reliable, size_t length, const void* data)
{
    try {
        if (!reliable) {
            endpoint_->SendBuf(address, port, length, data);
            return;
        }
        // The header carries the length in 16 bits: a longer message would arrive corrupted.
        if (length > 0xFFFF) {
            DebugLog().error("message of {} bytes not sent: the channel carries at most 65535", length);
            return;
        }
        messageCounter_ = messageCounter_ + 1 > kLastMessageNumber ? 0 : messageCounter_ + 1;
        const auto number = static_cast<uint16_t>(messageCounter_);
        const auto* bytes = static_cast<const uint8_t*>(data);
        size_t offset = 0;
        size_t remaining = length;
        while (remaining > 0) {
            void* block = recordPool_.Alloc(sizeof(TPendingRecord));
            if (!block)
                return;
            auto* record = new (block) TPendingRecord{};
            record->address = address;
            record->port = port;
            record->sendCount = 1;
            record->lastSend = GetTickCount();
            nextSequence_ = nextSequence_ >= kLastSequence ? 0 : nextSequence_ + 1;
            const auto fragment = static_cast<uint16_t>(remaining < kMaxFragment ? remaining : kMaxFragment);
            uint8_t* p = record->packet;
            Write<uint32_t>(p, kMarker);
            Write<uint16_t>(p + 4, kTypeData);
            Write<int32_t>(p + 6, nextSequence_);
            Write<uint16_t>(p + 10, number);
            Write<uint16_t>(p + 12, static_cast<uint16_t>(length));
            Write<uint16_t>(p + 14, static_cast<uint16_t>(offset));
            Write<uint16_t>(p + 16, fragment);
            std::memcpy(p + kHeaderSize, bytes + offset, fragment);
            endpoint_->SendBuf(address, port, kHeaderSize + fragment, p);
            {
                std::lock_guard lock(sendLock_);
                pending_.Add(static_cast<uint32_t>(nextSequence_), record);
            }
            offset += fragment;
            remaining -= fragment;
        }
    } catch (const std::exception& e) {
        DebugLog().warn("send failed: {}", e.what());
    }
}

void TPackUdp::HandleDatagram(uint32_t address, uint16_t port, const uint8_t* data, size_t length)
{
    try {
        if (length >= 6 && Read<uint32_t>(data) == kMarker) {
            const auto type = Read<uint16_t>(data + 4);
            if (type == kTypeData)
                HandleData(address, port, data, length);
            else if (type == kTypeAck)
                HandleAck(data, length);
            return;
        }
        if (OnReceive)
            OnReceive(address, port, data, length);
    } catch (const std::exception& e) {
        DebugLog().warn("datagram from {:08x}:{} dropped: {}", address, port, e.what());
    }
}

void TPackUdp::HandleAck(const uint8_t* data, size_t length)
{
    if (length != kAckSize)
        return;
    const auto sequence = static_cast<uint32_t>(Read<int32_t>(data + 6));
    std::lock_guard lock(sendLock_);
    TPendingRecord* record = nullptr;
    if (pending_.Get(sequence, record)) {
        pending_.Remove(sequence);
        recordPool_.Release(record);
    }
}

void TPackUdp::SendAck(uint32_t address, uint16_t port, int32_t sequence)
{
    auto* ack = static_cast<uint8_t*>(ackPool_.Alloc(kAckSize));
    if (!ack)
        return;
    Write<uint32_t>(ack, kMarker);
    Write<uint16_t>(ack + 4, kTypeAck);
    Write<int32_t>(ack + 6, sequence);
    endpoint_->SendBuf(address, port, kAckSize, ack);
    ackPool_.Release(ack);
}

bool TPackUdp::RememberSeen(const std::string& key)
{
    if (seen_.ValueOf(key) != -1)
        return false;
    if (seen_.Count() >= kSeenWindow) {
        seen_.Remove(seenOrder_.front());
        seenOrder_.pop_front();
    }
    seen_.Add(key, 1);
    seenOrder_.push_back(key);
    return true;
}

void TPackUdp::HandleData(uint32_t address, uint16_t port, const uint8_t* data, size_t length)
{
    if (length < kHeaderSize)
        return;
    const auto fragment = Read<uint16_t>(data + 16);
    if (length != kHeaderSize + fragment)
        return;
    const auto sequence = Read<int32_t>(data + 6);
    SendAck(address, port, sequence);
    if (!RememberSeen(SeenKey(address, port, sequence)))
        return;
    const auto number = Read<uint16_t>(data + 10);
    const auto messageLength = Read<uint16_t>(data + 12);
    const auto offset = Read<uint16_t>(data + 14);
    if (fragment == messageLength) {
        if (OnReceive)
            OnReceive(address, port, data + kHeaderSize, messageLength);
        return;
    }
    Reassemble(address, port, number, messageLength, offset, data + kHeaderSize, fragment);
}

void TPackUdp::Reassemble(uint32_t address, uint16_t port, uint16_t number, uint16_t messageLength,
                          uint16_t offset, const uint8_t* fragment, uint16_t fragmentLength)
{
    std::lock_guard lock(reassemblyLock_);
    const uint32_t peer = PeerKey(address, port);
    TReassemblyNode* first = nullptr;
    reassembly_.Get(peer, first);
    TReassemblyNode* node = first;
    while (node && node->number != number)
        node = node->next;
    if (!node) {
        // A fragment that cannot fit its message must not make the channel hold anything.
        if (offset + fragmentLength > messageLength)
            return;
        MakeRoomFor(peer, NodeCost(messageLength));
        first = nullptr;
        reassembly_.Get(peer, first);
        void* block = nodePool_.Alloc(sizeof(TReassemblyNode));
        if (!block)
            return;
        node = new (block) TReassemblyNode{number, messageLength, 0, std::vector<uint8_t>(messageLength),
                                           GetTickCount(), nullptr, nullptr};
        if (first) {
            node->prev = first;
            node->next = first->next;
            if (first->next)
                first->next->prev = node;
            first->next = node;
        } else {
            reassembly_.Add(peer, node);
        }
        partialBytes_ += NodeCost(messageLength);
    }
    if (offset + fragmentLength > node->length)
        return;
    std::memcpy(node->buffer.data() + offset, fragment, fragmentLength);
    node->received = static_cast<uint16_t>(node->received + fragmentLength);
    if (node->received != node->length)
        return;
    try {
        if (OnReceive)
            OnReceive(address, port, node->buffer.data(), node->length);
    } catch (...) {
        DropNode(peer, node);
        throw;
    }
    DropNode(peer, node);
}

// Keeps what senders can make the channel hold bounded: the oldest partial messages give way,
// first the sender's own, then anyone's. Normal traffic never has that much in flight.
void TPackUdp::MakeRoomFor(uint32_t peer, size_t bytes)
{
    const uint32_t now = GetTickCount();
    auto oldestOf = [&](TReassemblyNode* chain, TReassemblyNode*& oldest) {
        for (TReassemblyNode* n = chain; n; n = n->next)
            if (!oldest || Elapsed(now, n->created) > Elapsed(now, oldest->created))
                oldest = n;
    };
    while (true) {
        TReassemblyNode* first = nullptr;
        reassembly_.Get(peer, first);
        size_t held = 0;
        for (TReassemblyNode* n = first; n; n = n->next)
            held += NodeCost(n->length);
        if (!first || held + bytes <= kMaxPartialBytesPerPeer)
            break;
        TReassemblyNode* oldest = nullptr;
        oldestOf(first, oldest);
        DebugLog().warn("partial message from peer {:08x} dropped: too much held", peer);
        DropNode(peer, oldest);
    }
    while (partialBytes_ + bytes > kMaxPartialBytesTotal && reassembly_.Count() > 0) {
        TReassemblyNode* oldest = nullptr;
        uint32_t oldestPeer = 0;
        for (auto* e = reassembly_.First(); e; e = e->next) {
            TReassemblyNode* before = oldest;
            oldestOf(e->value, oldest);
            if (oldest != before)
                oldestPeer = e->key;
        }
        DebugLog().warn("partial message from peer {:08x} dropped: too much held in all", oldestPeer);
        DropNode(oldestPeer, oldest);
    }
}

void TPackUdp::DropNode(uint32_t peer, TReassemblyNode* node)
{
    if (node->prev) {
        node->prev->next = node->next;
        if (node->next)
            node->next->prev = node->prev;
    } else if (node->next) {
        node->next->prev = nullptr;
        reassembly_.SetValue(peer, node->next);
    } else {
        reassembly_.Remove(peer);
    }
    partialBytes_ -= NodeCost(node->length);
    node->~TReassemblyNode();
    nodePool_.Release(node);
}

void TPackUdp::DoTimer()
{
    if (timerBusy_)
        return;
    timerBusy_ = true;
    const uint32_t now = GetTickCount();
    {
        std::lock_guard lock(sendLock_);
        for (auto* e = pending_.First(); e;) {
            auto* next = e->next;
            TPendingRecord* record = e->value;
            if (Elapsed(now, record->lastSend) > record->sendCount * 200 + 500) {
                endpoint_->SendBuf(record->address, record->port, record->PacketLength(), record->packet);
                std::this_thread::yield();
                record->lastSend = now;
                ++record->sendCount;
            }
            if (record->sendCount >= kMaxSends) {
                pending_.Remove(e->key);
                recordPool_.Release(record);
            }
            e = next;
        }
    }
    if (++timerTicks_ % kSweepEveryTicks == 0)
        ExpirePartials(now);
    timerBusy_ = false;
}

void TPackUdp::ExpirePartials(uint32_t now)
{
    std::lock_guard lock(reassemblyLock_);
    for (auto* e = reassembly_.First(); e;) {
        auto* nextEntry = e->next;
        const uint32_t peer = e->key;
        for (TReassemblyNode* node = e->value; node;) {
            TReassemblyNode* next = node->next;
            if (Elapsed(now, node->created) > static_cast<int32_t>(kPartialExpiry))
                DropNode(peer, node);
            node = next;
        }
        e = nextEntry;
    }
}

void TPackUdp::Clear()
{
    seen_.Clear();
    seenOrder_.clear();
    {
        std::lock_guard lock(sendLock_);
        for (auto* e = pending_.First(); e; e = e->next)
            recordPool_.Release(e->value);
        pending_.Clear();
    }
    std::lock_guard lock(reassemblyLock_);
    while (auto* e = reassembly_.First())
        DropNode(e->key, e->value);
}

size_t TPackUdp::PendingCount() const
{
    std::lock_guard lock(sendLock_);
    return pending_.Count();
}

size_t TPackUdp::PartialCount() const
{
    std::lock_guard lock(reassemblyLock_);
    size_t count = 0;
    for (auto* e = reassembly_.First(); e; e = e->next)
        for (TReassemblyNode* n = e->value; n; n = n->next)
            ++count;
    return count;
}

size_t TPackUdp::PartialBytes() const
{
    std::lock_guard lock(reassemblyLock_);
    return partialBytes_;
}

} // namespace vlk
