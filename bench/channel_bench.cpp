// Messages per second and process CPU per message through two signalling channels on loopback,
// against plain UDP carrying the same payload in the same number of datagrams.
#include "RatioReporter.h"

#include "base/PollLoop.h"
#include "net/PackUdp.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using namespace vlk;

const uint32_t kLoopback = inet_addr("127.0.0.1");
constexpr int kBufferBytes = 4 << 20;

double ProcessCpuMicros()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e6 + u.ru_utime.tv_usec + u.ru_stime.tv_usec;
}

// Enough messages per round to keep the pipe busy, few enough that no socket buffer overflows.
size_t Batch(size_t size) { return size > 1000 ? 16 : 256; }

// Counts arrivals; the benchmark thread waits for a target count.
struct Arrivals {
    std::mutex mutex;
    std::condition_variable changed;
    size_t count = 0;

    void Add(size_t n = 1)
    {
        std::lock_guard lock(mutex);
        count += n;
        changed.notify_all();
    }
    // Waits up to `ms` for the target; false on time-out.
    bool WaitFor(size_t target, int ms)
    {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::milliseconds(ms), [&] { return count >= target; });
    }
};

void Finish(benchmark::State& state, size_t messages, size_t size, double cpuMicros)
{
    state.SetItemsProcessed(static_cast<int64_t>(messages));
    state.SetBytesProcessed(static_cast<int64_t>(messages * size));
    state.counters["cpu_us_per_msg"] = cpuMicros / static_cast<double>(messages);
}

void BM_Channel(benchmark::State& state)
{
    const size_t size = static_cast<size_t>(state.range(0));
    PollLoop loop;
    ClockScope scope(loop);
    TPackUdp a, b;
    Arrivals arrivals;
    b.OnReceive = [&](uint32_t, uint16_t, const uint8_t*, size_t) { arrivals.Add(); };
    for (TPackUdp* c : {&a, &b}) {
        c->BindAddress = kLoopback;
        c->Endpoint().Socket().SetRecvBufferSize(kBufferBytes);
        c->Endpoint().Socket().SetSendBufferSize(kBufferBytes);
        c->SetActive(true);
    }
    const uint16_t port = b.Endpoint().Socket().LocalPort();
    const std::vector<uint8_t> message(size, 0x5A);
    size_t messages = 0;
    const double cpuBefore = ProcessCpuMicros();
    for (auto _ : state) {
        const size_t batch = Batch(size);
        for (size_t i = 0; i < batch; ++i)
            a.Send(kLoopback, port, true, size, message.data());
        messages += batch;
        // Lost fragments come back through the resend timer, which runs on this thread.
        while (!arrivals.WaitFor(messages, 20))
            loop.RunFor(0);
        loop.RunFor(0);
    }
    Finish(state, messages, size, ProcessCpuMicros() - cpuBefore);
}

int OpenPlainSocket(uint16_t& port)
{
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &kBufferBytes, sizeof kBufferBytes);
    setsockopt(fd, SOL_SOCKET, SO_SNDBUF, &kBufferBytes, sizeof kBufferBytes);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = kLoopback;
    socklen_t length = sizeof local;
    bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local);
    getsockname(fd, reinterpret_cast<sockaddr*>(&local), &length);
    port = ntohs(local.sin_port);
    return fd;
}

void BM_PlainUdp(benchmark::State& state)
{
    const size_t size = static_cast<size_t>(state.range(0));
    const size_t datagramsPerMessage = (size + packudp::kMaxFragment - 1) / packudp::kMaxFragment;
    uint16_t receiverPort = 0, senderPort = 0;
    const int receiver = OpenPlainSocket(receiverPort);
    const int sender = OpenPlainSocket(senderPort);
    timeval wake{0, 100000};
    setsockopt(receiver, SOL_SOCKET, SO_RCVTIMEO, &wake, sizeof wake);
    Arrivals arrivals;
    std::atomic<bool> stop{false};
    std::thread reading([&] {
        std::vector<uint8_t> buffer(2048);
        while (!stop)
            if (recv(receiver, buffer.data(), buffer.size(), 0) > 0)
                arrivals.Add();
    });
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = kLoopback;
    to.sin_port = htons(receiverPort);
    const std::vector<uint8_t> message(size, 0x5A);
    size_t messages = 0;
    const double cpuBefore = ProcessCpuMicros();
    for (auto _ : state) {
        const size_t batch = Batch(size);
        for (size_t i = 0; i < batch; ++i)
            for (size_t offset = 0; offset < size; offset += packudp::kMaxFragment)
                sendto(sender, message.data() + offset, std::min(packudp::kMaxFragment, size - offset), 0,
                       reinterpret_cast<sockaddr*>(&to), sizeof to);
        messages += batch;
        if (!arrivals.WaitFor(messages * datagramsPerMessage, 2000)) {
            state.SkipWithError("plain UDP lost datagrams");
            break;
        }
    }
    Finish(state, messages, size, ProcessCpuMicros() - cpuBefore);
    stop = true;
    reading.join();
    close(receiver);
    close(sender);
}

} // namespace

BENCHMARK(BM_Channel)->Arg(100)->Arg(65528)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainUdp)->Arg(100)->Arg(65528)->UseRealTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return vlk::bench::RunWithRatios(argc, argv,
                                     {{"BM_Channel/100/real_time", "BM_PlainUdp/100/real_time"},
                                      {"BM_Channel/65528/real_time", "BM_PlainUdp/65528/real_time"}});
}
