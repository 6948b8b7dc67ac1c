#include "net/kpUDPSocket.h"

#include "base/DebugLog.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace vlk {
namespace {

constexpr char kOpenFailed[] = "初始化套接字发生错误，错误码是%d";
constexpr char kThreadFailed[] = "建立监听线程发生错误!";
constexpr char kEventCreateFailed[] = "创建套接字事件句柄出错。错误码是%d";
constexpr char kSendBufferFailed[] = "设置发送缓冲区错误。错误码是%d";
constexpr char kRecvBufferFailed[] = "设置接收缓冲区出错。错误码是%d";
constexpr char kBadRemoteHost[] = "无效的远程主机地址!";

bool WouldBlock(int code) { return code == EAGAIN || code == EWOULDBLOCK; }

} // namespace

std::string FormatSocketMessage(const char* format, int code)
{
    char text[256];
    std::snprintf(text, sizeof text, format, code);
    return text;
}

TkpUDPSocket::~TkpUDPSocket()
{
    Close();
}

void TkpUDPSocket::SetActive(bool on)
{
    if (on == active_)
        return;
    if (on)
        Open();
    else
        Close();
}

void TkpUDPSocket::Open()
{
    int fd = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    int code = 0;
    const int on = 1;
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = bindAddress_;
    local.sin_port = htons(localPort_);
    socklen_t length = sizeof local;
    if (fd < 0 || setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0 ||
        bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&local), &length) != 0) {
        code = errno;
        if (fd >= 0)
            close(fd);
        if (OnError)
            OnError(*this, TSocketErrorKind::Open, code);
        if (code != 0)
            throw TUDPException(FormatSocketMessage(kOpenFailed, code));
        return;
    }
    fd_ = fd;
    localPort_ = ntohs(local.sin_port);
    active_ = true;
    try {
        ApplyBufferSize(SO_SNDBUF, sendBufferSize_, kSendBufferFailed);
        ApplyBufferSize(SO_RCVBUF, recvBufferSize_, kRecvBufferFailed);
        int wake[2];
        if (pipe2(wake, O_NONBLOCK | O_CLOEXEC) != 0)
            throw TUDPException(FormatSocketMessage(kEventCreateFailed, errno));
        wakeRead_ = wake[0];
        wakeWrite_ = wake[1];
        terminated_ = false;
        thread_ = std::thread(&TkpUDPSocket::ReceiveLoop, this);
    } catch (const std::exception& e) {
        DebugLog().warn("socket receive thread not started: {}", e.what());
        Close();
        throw TUDPException(kThreadFailed);
    }
}

void TkpUDPSocket::Close()
{
    if (thread_.joinable()) {
        terminated_ = true;
        const char byte = 1;
        if (write(wakeWrite_, &byte, 1) < 0 && errno != EAGAIN)
            DebugLog().warn("socket wake-up failed: {}", errno);
        thread_.join();
    }
    for (int* fd : {&wakeRead_, &wakeWrite_, &fd_}) {
        if (*fd >= 0)
            close(*fd);
        *fd = -1;
    }
    active_ = false;
}

void TkpUDPSocket::ReceiveLoop()
{
    pollfd fds[2] = {{fd_, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
    while (!terminated_) {
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            DebugLog().error("socket poll failed: {}", errno);
            return;
        }
        if (terminated_)
            return;
        if (!(fds[0].revents & (POLLIN | POLLERR)))
            continue;
        if (OnRead) {
            OnRead(*this);
        } else {
            // Nobody reads: take the datagram off the socket, or poll would report it forever.
            char discard;
            recv(fd_, &discard, 1, 0);
        }
    }
}

void TkpUDPSocket::ApplyBufferSize(int option, int bytes, const char* messageFormat)
{
    if (fd_ >= 0 && setsockopt(fd_, SOL_SOCKET, option, &bytes, sizeof bytes) != 0)
        throw TUDPException(FormatSocketMessage(messageFormat, errno));
}

void TkpUDPSocket::SetSendBufferSize(int bytes)
{
    if (bytes == sendBufferSize_)
        return;
    ApplyBufferSize(SO_SNDBUF, bytes, kSendBufferFailed);
    sendBufferSize_ = bytes;
}

void TkpUDPSocket::SetRecvBufferSize(int bytes)
{
    if (bytes == recvBufferSize_)
        return;
    ApplyBufferSize(SO_RCVBUF, bytes, kRecvBufferFailed);
    recvBufferSize_ = bytes;
}

bool TkpUDPSocket::SendBuf(const void* data, size_t length, uint16_t port, uint32_t address)
{
    if (address == 0xFFFFFFFF)
        throw TUDPException(kBadRemoteHost);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = address;
    to.sin_port = htons(port);
    if (sendto(fd_, data, length, MSG_NOSIGNAL, reinterpret_cast<sockaddr*>(&to), sizeof to) >= 0)
        return true;
    int code = errno;
    if (!WouldBlock(code) && OnError)
        OnError(*this, TSocketErrorKind::Send, code);
    return false;
}

size_t TkpUDPSocket::RecvBuf(void* buffer, size_t capacity)
{
    sockaddr_in from{};
    socklen_t length = sizeof from;
    // MSG_TRUNC reports the datagram's real size, so an oversized one is noticed, not cut silently.
    const ssize_t n = recvfrom(fd_, buffer, capacity, MSG_TRUNC, reinterpret_cast<sockaddr*>(&from), &length);
    if (n < 0) {
        int code = errno;
        // ECONNREFUSED is an earlier send that the remote host refused: nothing to read.
        if (WouldBlock(code) || code == ECONNREFUSED)
            return 0;
        if (OnError)
            OnError(*this, TSocketErrorKind::Receive, code);
        if (code != 0)
            DebugLog().warn("socket receive error {}", code);
        return 0;
    }
    if (static_cast<size_t>(n) > capacity) {
        int code = EMSGSIZE;
        if (OnError)
            OnError(*this, TSocketErrorKind::Receive, code);
        if (code != 0)
            DebugLog().warn("dropped a datagram of {} bytes (room for {})", n, capacity);
        return 0;
    }
    peerAddress_ = from.sin_addr.s_addr;
    peerPort_ = ntohs(from.sin_port);
    return static_cast<size_t>(n);
}

} // namespace vlk
