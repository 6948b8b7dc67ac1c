#include "net/SignalSession.h"

#include "base/DebugLog.h"
#include "net/Envelope.h"

#include <utility>

namespace vlk {

TSignalSession::TSignalSession(TPackUdp& channel, TEncrypt& cipher, uint32_t drainInterval)
    : channel_(channel), cipher_(cipher)
{
    channel_.OnReceive = [this](uint32_t address, uint16_t port, const uint8_t* data, size_t length) {
        DoPackRecv(address, port, data, length);
    };
    timer_.SetInterval(drainInterval);
    timer_.OnTimer = [this](TTimer&) { DoQueueTimer(); };
}

TSignalSession::~TSignalSession()
{
    channel_.SetActive(false);
    channel_.OnReceive = nullptr;
}

void TSignalSession::SendCommand(uint32_t address, uint16_t port, size_t length, const void* message)
{
    const auto* bytes = static_cast<const uint8_t*>(message);
    std::vector<uint8_t> block(bytes, bytes + length);
    const size_t enciphered = cipher_.Encrypt(block, length);
    channel_.Send(address, port, true, enciphered, block.data());
}

void TSignalSession::DoPackRecv(uint32_t address, uint16_t port, const uint8_t* data, size_t length)
{
    std::vector<uint8_t> message(data, data + length);
    try {
        cipher_.Decrypt(message, length);
    } catch (const TCipherError&) {
        return;
    }
    if (!EnvelopeValid(message.data(), message.size()))
        return;
    if (BeforeQueue)
        BeforeQueue(message, address, port);
    bool queued = false;
    {
        std::lock_guard guard(queueLock_);
        if (queue_.size() < kMaxQueued) {
            queue_.push_back({std::move(message), address, port});
            queued = true;
        }
    }
    if (!queued) {
        const auto* ip = reinterpret_cast<const uint8_t*>(&address);   // network order
        DebugLog().debug("signalling queue full ({} messages): dropped command {} from {}.{}.{}.{}:{}",
                         kMaxQueued, CommandCode(message.data(), message.size()), ip[0], ip[1], ip[2],
                         ip[3], port);
    }
}

void TSignalSession::DoQueueTimer()
{
    if (BeforeDrain && !BeforeDrain())
        return;
    TQueued queued;
    {
        std::lock_guard guard(queueLock_);
        if (queue_.empty())
            return;
        queued = std::move(queue_.front());
        queue_.pop_front();
    }
    if (OnDispatch)
        OnDispatch(queued.message, queued.address, queued.port);
}

size_t TSignalSession::QueueLength() const
{
    std::lock_guard guard(queueLock_);
    return queue_.size();
}

} // namespace vlk
