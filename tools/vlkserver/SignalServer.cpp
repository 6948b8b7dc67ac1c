#include "SignalServer.h"

#include "net/Encrypt.h"
#include "shell/NetHelpers.h"


namespace vlk::server {

std::string Peer(uint32_t address, uint16_t port)
{
    return IPToText(address) + ":" + std::to_string(port);
}

TSignalServer::TSignalServer(std::unique_ptr<TUDP> endpoint)
    : channel_(std::move(endpoint)), signalling_(channel_, Cipher(), kDrainInterval)
{
    signalling_.OnDispatch = [this](const std::vector<uint8_t>& message, uint32_t address, uint16_t port) {
        if (OnMessage)
            OnMessage(message, address, port);
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
