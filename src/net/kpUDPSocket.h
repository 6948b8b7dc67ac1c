#pragma once
// One IPv4 UDP socket with its own receive thread. The thread sleeps in poll(2) on the socket and a
// wake pipe and raises OnRead once per wake-up; the owner reads exactly one datagram there. Poll is
// level-triggered, so a datagram left waiting wakes the thread again and none is lost.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>

namespace vlk {

class TUDPException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class TSocketErrorKind { Open = 0, Send = 1, Receive = 2 };

class TkpUDPSocket {
public:
    static constexpr int kDefaultBufferSize = 8192;

    TkpUDPSocket() = default;
    ~TkpUDPSocket();
    TkpUDPSocket(const TkpUDPSocket&) = delete;
    TkpUDPSocket& operator=(const TkpUDPSocket&) = delete;

    bool Active() const { return active_; }
    // Opening binds, applies the buffer sizes and starts the receive thread; closing stops the
    // thread and waits for it, so no OnRead runs once this returns.
    void SetActive(bool on);

    // The port to bind (0: any); after opening, the port actually bound.
    uint16_t LocalPort() const { return localPort_; }
    void SetLocalPort(uint16_t port) { localPort_ = port; }
    // The address to bind, network byte order; 0 binds every local address.
    uint32_t BindAddress() const { return bindAddress_; }
    void SetBindAddress(uint32_t address) { bindAddress_ = address; }

    int SendBufferSize() const { return sendBufferSize_; }
    void SetSendBufferSize(int bytes);
    int RecvBufferSize() const { return recvBufferSize_; }
    void SetRecvBufferSize(int bytes);

    // One datagram to (address, port); address in network order, port in host order.
    // False on failure (reported to OnError unless it is would-block).
    bool SendBuf(const void* data, size_t length, uint16_t port, uint32_t address);
    // Reads one waiting datagram and records its sender; 0 when nothing was read.
    size_t RecvBuf(void* buffer, size_t capacity);
    uint32_t PeerAddress() const { return peerAddress_; }
    uint16_t PeerPort() const { return peerPort_; }

    // Kind and system error code; clearing the code suppresses the exception of an opening failure.
    std::function<void(TkpUDPSocket&, TSocketErrorKind, int& code)> OnError;
    // Raised on the receive thread when a datagram is waiting.
    std::function<void(TkpUDPSocket&)> OnRead;

private:
    void Open();
    void Close();
    void ReceiveLoop();
    void ApplyBufferSize(int option, int bytes, const char* messageFormat);

    int fd_ = -1;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    bool active_ = false;
    std::atomic<bool> terminated_{false};
    std::thread thread_;
    uint16_t localPort_ = 0;
    uint32_t bindAddress_ = 0;
    int sendBufferSize_ = kDefaultBufferSize;
    int recvBufferSize_ = kDefaultBufferSize;
    uint32_t peerAddress_ = 0;
    uint16_t peerPort_ = 0;
};

// "%d" filled in, for the fixed texts of this layer.
std::string FormatSocketMessage(const char* format, int code);

} // namespace vlk
