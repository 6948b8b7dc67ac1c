#include "net/UDP.h"

#include "base/DebugLog.h"

namespace vlk {

TUDP::TUDP()
{
    socket_.OnRead = [this](TkpUDPSocket&) { ReadRoutine(); };
}

TUDP::~TUDP()
{
    socket_.SetActive(false);
}

void TUDP::DoReadPack(uint32_t address, uint16_t port, size_t length, const uint8_t* data)
{
    if (OnReceive)
        OnReceive(address, port, length, data);
}

bool TUDP::GetActive() const { return socket_.Active(); }

void TUDP::SetActive(bool on)
{
    if (on == socket_.Active())
        return;
    socket_.SetActive(false);
    if (!on)
        return;
    socket_.SetLocalPort(LocalPort);
    socket_.SetBindAddress(BindAddress);
    socket_.SetActive(true);
}

bool TUDP::SendBuf(uint32_t address, uint16_t port, size_t length, const void* data)
{
    if (!socket_.Active())
        return false;
    try {
        return socket_.SendBuf(data, length, port, address);
    } catch (const TUDPException&) {
        return false;
    }
}

void TUDP::ReadRoutine()
{
    auto* block = static_cast<uint8_t*>(pool_.Alloc(kReceiveBlockSize));
    if (!block)
        return;
    // Nothing a handler throws may end the receive thread: the datagram is dropped instead.
    try {
        const size_t n = socket_.RecvBuf(block, kReceiveBlockSize);
        if (n > 0)
            DoReadPack(socket_.PeerAddress(), socket_.PeerPort(), n, block);
    } catch (const std::exception& e) {
        DebugLog().warn("datagram dropped: {}", e.what());
    }
    pool_.Release(block);
}

} // namespace vlk
