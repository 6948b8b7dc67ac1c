#include "SignalServer.h"

#include "net/Encrypt.h"
#include "shell/NetHelpers.h"

#include <cstring>

namespace vlk::server {

namespace {

// The queue keeps messages only, so the sender rides along behind the message's own bytes.
constexpr size_t kSenderSize = sizeof(uint32_t) + sizeof(uint16_t);

} // namespace

std::string Peer(uint32_t address, uint16_t port)
{
    return IPToText(address) + ":" + std::to_string(port);
}

TSignalServer::TSignalServer(std::unique_ptr<TUDP> endpoint)
    : channel_(std::move(endpoint)), signalling_(channel_, Cipher(), kDrainInterval)
{
    signalling_.BeforeQueue = [](std::vector<uint8_t>& message, uint32_t address, uint16_t port) {
        const size_t at = message.size();
        message.resize(at + kSenderSize);
        std::memcpy(message.data() + at, &address, sizeof address);
        std::memcpy(message.data() + at + sizeof address, &port, sizeof port);
    };
    signalling_.OnDispatch = [this](const std::vector<uint8_t>& queued) {
        const size_t at = queued.size() - kSenderSize;
        uint32_t address = 0;
        uint16_t port = 0;
        std::memcpy(&address, queued.data() + at, sizeof address);
        std::memcpy(&port, queued.data() + at + sizeof address, sizeof port);
        if (OnMessage)
            OnMessage(std::vector<uint8_t>(queued.begin(), queued.begin() + static_cast<ptrdiff_t>(at)), address, port);
    };
}

void TSignalServer::Open(uint32_t address, uint16_t port)
{
    channel_.BindAddress = address;
    channel_.LocalPort = port;
    channel_.SetActive(true);
    signalling_.Start();
}

void TSignalServer::Close()
{
    signalling_.Stop();
    channel_.SetActive(false);
}

void TSignalServer::Send(uint32_t address, uint16_t port, const TMessage& message)
{
    signalling_.SendCommand(address, port, message.size(), message.data());
}

} // namespace vlk::server
