#include "net/support/ImpairmentRelay.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

namespace vlk::test {
namespace {

int OpenSocket(uint32_t address, uint16_t& port)
{
    const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    const int size = 4 << 20;
    setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &size, sizeof size);
    setsockopt(fd, SOL_SOCKET, SO_SNDBUF, &size, sizeof size);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = address;
    socklen_t length = sizeof local;
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&local), &length) != 0)
        throw std::runtime_error("relay socket");
    port = ntohs(local.sin_port);
    return fd;
}

uint64_t Fingerprint(const std::vector<uint8_t>& bytes)
{
    uint64_t h = 1469598103934665603ull;
    for (uint8_t b : bytes)
        h = (h ^ b) * 1099511628211ull;
    return h;
}

} // namespace

TImpairmentRelay::TImpairmentRelay(uint32_t address, uint32_t addrA, uint16_t portA, uint32_t addrB, uint16_t portB,
                                   Options options)
    : options_(options), addrA_(addrA), addrB_(addrB), portA_(portA), portB_(portB), random_(options.seed)
{
    fdA_ = OpenSocket(address, portFacingA_);
    fdB_ = OpenSocket(address, portFacingB_);
    thread_ = std::thread(&TImpairmentRelay::Run, this);
}

TImpairmentRelay::~TImpairmentRelay()
{
    stop_ = true;
    thread_.join();
    close(fdA_);
    close(fdB_);
}

TImpairmentRelay::Stats TImpairmentRelay::GetStats() const
{
    std::lock_guard lock(statsLock_);
    return stats_;
}

int64_t TImpairmentRelay::NowMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void TImpairmentRelay::Run()
{
    pollfd fds[2] = {{fdA_, POLLIN, 0}, {fdB_, POLLIN, 0}};
    while (!stop_) {
        const int64_t now = NowMs();
        Flush(now);
        int timeout = 5;
        if (!queue_.empty())
            timeout = static_cast<int>(std::min<int64_t>(5, std::max<int64_t>(0, queue_.top().due - now)));
        if (poll(fds, 2, timeout) <= 0)
            continue;
        for (const auto& p : fds)
            if (p.revents & POLLIN)
                Forward(p.fd);
    }
}

void TImpairmentRelay::Forward(int from)
{
    std::vector<uint8_t> bytes(65536);
    while (true) {
        const ssize_t n = recv(from, bytes.data(), bytes.size(), 0);
        if (n < 0)
            return;
        std::vector<uint8_t> datagram(bytes.begin(), bytes.begin() + n);
        std::uniform_real_distribution<double> chance(0, 1);
        if (chance(random_) < options_.loss) {
            int& drops = drops_[Fingerprint(datagram)];
            if (drops < options_.maxDropsOfOneDatagram) {
                ++drops;
                std::lock_guard lock(statsLock_);
                ++stats_.dropped;
                continue;
            }
        }
        const bool toB = from == fdA_;
        const int copies = chance(random_) < options_.duplicate ? 2 : 1;
        for (int i = 0; i < copies; ++i) {
            const int64_t delay = std::uniform_int_distribution<uint32_t>(0, options_.maxDelayMs)(random_);
            queue_.push({NowMs() + delay, order_++, toB ? fdB_ : fdA_, toB ? addrB_ : addrA_, toB ? portB_ : portA_,
                         datagram});
        }
        std::lock_guard lock(statsLock_);
        stats_.duplicated += copies - 1;
    }
}

void TImpairmentRelay::Flush(int64_t now)
{
    while (!queue_.empty() && queue_.top().due <= now) {
        const Pending& p = queue_.top();
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_addr.s_addr = p.address;
        to.sin_port = htons(p.port);
        sendto(p.fd, p.bytes.data(), p.bytes.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
        {
            std::lock_guard lock(statsLock_);
            ++stats_.forwarded;
        }
        queue_.pop();
    }
}

} // namespace vlk::test
