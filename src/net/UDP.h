#pragma once
// The base endpoint: one socket, reading every datagram into a 2048-byte pool block and handing it
// to DoReadPack. The signalling channel and the media endpoints stand on it.
#include "net/BlockMemoryMng.h"
#include "net/kpUDPSocket.h"

#include <cstdint>
#include <functional>

namespace vlk {

class TUDP {
public:
    static constexpr size_t kReceiveBlockSize = 2048;

    TUDP();
    // Derived endpoints close in their own destructor, before their DoReadPack goes away.
    virtual ~TUDP();
    TUDP(const TUDP&) = delete;
    TUDP& operator=(const TUDP&) = delete;

    virtual void DoReadPack(uint32_t address, uint16_t port, size_t length, const uint8_t* data);
    virtual bool GetActive() const;
    virtual void SetActive(bool on);
    // One datagram when active; errors are swallowed.
    virtual bool SendBuf(uint32_t address, uint16_t port, size_t length, const void* data);

    uint16_t LocalPort = 0;
    uint32_t BindAddress = 0;   // network order; 0 = every local address
    // Raised by the default DoReadPack on the receive thread; data is valid during the call only.
    std::function<void(uint32_t address, uint16_t port, size_t length, const uint8_t* data)> OnReceive;

    TkpUDPSocket& Socket() { return socket_; }

private:
    void ReadRoutine();

    TBlockMemoryMng pool_{kReceiveBlockSize};
    TkpUDPSocket socket_;
};

} // namespace vlk
