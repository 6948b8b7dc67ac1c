// The raw socket over real loopback: binding, errors and their texts, the receive thread's life.
#include "net/kpUDPSocket.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

using namespace vlk;

namespace {

const uint32_t kLoopback = inet_addr("127.0.0.1");

// Reads every datagram into a buffer of the given size and keeps what it read.
struct Reader {
    explicit Reader(size_t capacity) : capacity(capacity)
    {
        socket.SetBindAddress(kLoopback);
        socket.OnRead = [this](TkpUDPSocket& s) {
            std::vector<uint8_t> buffer(this->capacity);
            const size_t n = s.RecvBuf(buffer.data(), buffer.size());
            std::lock_guard lock(mutex);
            reads.emplace_back(buffer.begin(), buffer.begin() + n);
        };
        socket.OnError = [this](TkpUDPSocket&, TSocketErrorKind kind, int& code) {
            std::lock_guard lock(mutex);
            errors.emplace_back(kind, code);
        };
        socket.SetActive(true);
    }
    size_t Count()
    {
        std::lock_guard lock(mutex);
        return reads.size();
    }
    bool WaitFor(size_t count)
    {
        for (int i = 0; i < 500 && Count() < count; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        return Count() >= count;
    }

    size_t capacity;
    TkpUDPSocket socket;
    std::mutex mutex;
    std::vector<std::vector<uint8_t>> reads;
    std::vector<std::pair<TSocketErrorKind, int>> errors;
};

} // namespace

TEST(kpUDPSocket, PortZeroBindsAChosenPortAndDatagramsArriveWithTheirSender)
{
    Reader reader(64);
    ASSERT_TRUE(reader.socket.Active());
    EXPECT_NE(reader.socket.LocalPort(), 0);

    TkpUDPSocket sender;
    sender.SetBindAddress(kLoopback);
    sender.SetActive(true);
    EXPECT_TRUE(sender.SendBuf("hello", 5, reader.socket.LocalPort(), kLoopback));
    ASSERT_TRUE(reader.WaitFor(1));
    EXPECT_EQ(reader.reads[0], (std::vector<uint8_t>{'h', 'e', 'l', 'l', 'o'}));
    EXPECT_EQ(reader.socket.PeerAddress(), kLoopback);
    EXPECT_EQ(reader.socket.PeerPort(), sender.LocalPort());

    EXPECT_THROW(
        {
            try {
                sender.SendBuf("x", 1, 9, 0xFFFFFFFF);
            } catch (const TUDPException& e) {
                EXPECT_STREQ(e.what(), "无效的远程主机地址!");
                throw;
            }
        },
        TUDPException);
}

TEST(kpUDPSocket, OpeningAPortHeldWithoutAddressReuseFails)
{
    const int holder = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = kLoopback;
    socklen_t length = sizeof local;
    ASSERT_EQ(bind(holder, reinterpret_cast<sockaddr*>(&local), sizeof local), 0);
    getsockname(holder, reinterpret_cast<sockaddr*>(&local), &length);

    TkpUDPSocket s;
    s.SetBindAddress(kLoopback);
    s.SetLocalPort(ntohs(local.sin_port));
    try {
        s.SetActive(true);
        ADD_FAILURE() << "opened a held port";
    } catch (const TUDPException& e) {
        EXPECT_EQ(std::string(e.what()), FormatSocketMessage("初始化套接字发生错误，错误码是%d", EADDRINUSE));
    }
    EXPECT_FALSE(s.Active());

    int seen = 0;
    s.OnError = [&](TkpUDPSocket&, TSocketErrorKind kind, int& code) {
        EXPECT_EQ(kind, TSocketErrorKind::Open);
        seen = code;
        code = 0;   // handled: no exception
    };
    EXPECT_NO_THROW(s.SetActive(true));
    EXPECT_EQ(seen, EADDRINUSE);
    EXPECT_FALSE(s.Active());

    close(holder);
    s.SetActive(true);   // can be opened again once the port is free
    EXPECT_TRUE(s.Active());
}

TEST(kpUDPSocket, OversizedDatagramIsReportedAndTheThreadReadsOn)
{
    Reader reader(100);
    TkpUDPSocket sender;
    sender.SetActive(true);
    const std::vector<uint8_t> exact(100, 7), oversized(101, 8), after(3, 9);
    sender.SendBuf(exact.data(), exact.size(), reader.socket.LocalPort(), kLoopback);
    sender.SendBuf(oversized.data(), oversized.size(), reader.socket.LocalPort(), kLoopback);
    sender.SendBuf(after.data(), after.size(), reader.socket.LocalPort(), kLoopback);
    ASSERT_TRUE(reader.WaitFor(3));
    EXPECT_EQ(reader.reads[0], exact) << "a datagram of exactly the buffer size is read whole";
    EXPECT_TRUE(reader.reads[1].empty());
    EXPECT_EQ(reader.reads[2], after);
    ASSERT_EQ(reader.errors.size(), 1u);
    EXPECT_EQ(reader.errors[0].first, TSocketErrorKind::Receive);
    EXPECT_EQ(reader.errors[0].second, EMSGSIZE);
}

TEST(kpUDPSocket, ClosingUnderFloodStopsPromptlyAndNoReadFollows)
{
    std::atomic<bool> closed{false};
    std::atomic<int> lateReads{0};
    TkpUDPSocket receiver;
    receiver.SetBindAddress(kLoopback);
    receiver.OnRead = [&](TkpUDPSocket& s) {
        char buffer[64];
        s.RecvBuf(buffer, sizeof buffer);
        if (closed)
            ++lateReads;
    };
    receiver.SetActive(true);
    const uint16_t port = receiver.LocalPort();

    std::atomic<bool> flooding{true};
    std::thread flood([&] {
        TkpUDPSocket sender;
        sender.SetActive(true);
        while (flooding)
            sender.SendBuf("flood", 5, port, kLoopback);
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    const auto start = std::chrono::steady_clock::now();
    receiver.SetActive(false);
    closed = true;
    const auto took = std::chrono::steady_clock::now() - start;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    flooding = false;
    flood.join();
    EXPECT_LT(took, std::chrono::seconds(2)) << "closing waits for the thread, which must end promptly";
    EXPECT_EQ(lateReads, 0);
    EXPECT_FALSE(receiver.Active());

    receiver.SetLocalPort(0);
    receiver.SetActive(true);   // reopens afresh
    EXPECT_TRUE(receiver.Active());
}
