#pragma once
// An endpoint without a socket: what the channel sends is recorded, and a test delivers
// datagrams by calling DoReadPack, as the receive thread would.
#include "net/PackUdp.h"
#include "net/UDP.h"

#include <cstdint>
#include <vector>

namespace vlk::test {

struct TDatagram {
    uint32_t address;
    uint16_t port;
    std::vector<uint8_t> bytes;
};

class TMemoryUDP : public TUDP {
public:
    std::vector<TDatagram> sent;

    bool GetActive() const override { return active_; }
    void SetActive(bool on) override { active_ = on; }
    bool SendBuf(uint32_t address, uint16_t port, size_t length, const void* data) override
    {
        const auto* p = static_cast<const uint8_t*>(data);
        sent.push_back({address, port, std::vector<uint8_t>(p, p + length)});
        return true;
    }

private:
    bool active_ = false;
};

// A channel over a memory endpoint, opened.
struct TMemoryChannel {
    TMemoryUDP* endpoint;
    TPackUdp channel;

    TMemoryChannel() : TMemoryChannel(new TMemoryUDP) {}
    void Deliver(uint32_t address, uint16_t port, const std::vector<uint8_t>& bytes)
    {
        endpoint->DoReadPack(address, port, bytes.size(), bytes.data());
    }

private:
    explicit TMemoryChannel(TMemoryUDP* e) : endpoint(e), channel(std::unique_ptr<TUDP>(e)) { channel.SetActive(true); }
};

} // namespace vlk::test
