#pragma once
// A UDP relay between two endpoints on loopback that loses, duplicates, delays and so reorders
// datagrams, from a seed. Datagrams reaching the side facing A go out to B from the side facing B,
// and the other way round, so each endpoint sees the relay as its peer.
#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <queue>
#include <random>
#include <thread>
#include <vector>

namespace vlk::test {

class TImpairmentRelay {
public:
    struct Options {
        double loss = 0.05;
        double duplicate = 0.01;
        uint32_t maxDelayMs = 15;
        uint32_t seed = 1;
        // The channel gives up after four sends by design; a relay that could drop the same
        // datagram four times would test that design, not the channel's repair.
        int maxDropsOfOneDatagram = 2;
    };
    struct Stats {
        uint64_t forwarded = 0, dropped = 0, duplicated = 0;
    };

    TImpairmentRelay(uint32_t address, uint32_t addrA, uint16_t portA, uint32_t addrB, uint16_t portB, Options options);
    ~TImpairmentRelay();

    uint16_t PortFacingA() const { return portFacingA_; }
    uint16_t PortFacingB() const { return portFacingB_; }
    Stats GetStats() const;

private:
    struct Pending {
        int64_t due;
        uint64_t order;
        int fd;
        uint32_t address;
        uint16_t port;
        std::vector<uint8_t> bytes;
        bool operator>(const Pending& o) const { return due != o.due ? due > o.due : order > o.order; }
    };

    void Run();
    void Forward(int from);
    void Flush(int64_t now);
    static int64_t NowMs();

    Options options_;
    int fdA_ = -1, fdB_ = -1;
    uint16_t portFacingA_ = 0, portFacingB_ = 0;
    uint32_t addrA_, addrB_;
    uint16_t portA_, portB_;
    std::mt19937 random_;
    std::map<uint64_t, int> drops_;
    std::priority_queue<Pending, std::vector<Pending>, std::greater<>> queue_;
    uint64_t order_ = 0;
    mutable std::mutex statsLock_;
    Stats stats_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

} // namespace vlk::test
