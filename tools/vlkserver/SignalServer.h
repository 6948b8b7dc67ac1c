#pragma once
// The server end of a signalling conversation: a reliable channel bound to one port and a receive
// queue drained on the main loop, like every client owner has, but handing each message over
// together with its sender, since a server answers whoever asked.
#include "net/Message.h"
#include "net/PackUdp.h"
#include "net/SignalSession.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vlk::server {

// Runs handler with the message of type M held by the bytes; false when they do not hold one.
template <class M, class F>
bool ParseAndRun(const std::vector<uint8_t>& bytes, F&& handler)
{
    const auto message = ParseAs<M>(bytes.data(), bytes.size());
    if (message)
        handler(*message);
    return message.has_value();
}

// "a.b.c.d:port", for the log.
std::string Peer(uint32_t address, uint16_t port);

class TSignalServer {
public:
    static constexpr uint32_t kDrainInterval = 1;

    explicit TSignalServer(std::unique_ptr<TUDP> endpoint);

    // Binds and starts draining; throws TUDPException when the port cannot be bound.
    void Open(uint32_t address, uint16_t port);
    void Close();

    void Send(uint32_t address, uint16_t port, const TMessage& message);

    // Main loop: one deciphered message with a valid envelope, and who sent it.
    std::function<void(const std::vector<uint8_t>& message, uint32_t address, uint16_t port)> OnMessage;

    TSignalSession& Signalling() { return signalling_; }

private:
    TPackUdp channel_;
    TSignalSession signalling_;
};

} // namespace vlk::server
