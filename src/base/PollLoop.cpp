#include "base/PollLoop.h"

#include "base/DebugLog.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace vlk {

namespace {

[[noreturn]] void ThrowErrno(const char* what)
{
    throw std::system_error(errno, std::generic_category(), what);
}

void MakeNonBlocking(int fd)
{
    if (fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK) < 0 || fcntl(fd, F_SETFD, FD_CLOEXEC) < 0)
        ThrowErrno("fcntl");
}

constexpr int64_t kNoDeadline = INT64_MAX;

} // namespace

PollLoop::PollLoop()
{
    int fds[2];
    if (pipe(fds) < 0)
        ThrowErrno("pipe");
    wakeRead_ = fds[0];
    wakeWrite_ = fds[1];
    MakeNonBlocking(wakeRead_);
    MakeNonBlocking(wakeWrite_);
}

PollLoop::~PollLoop()
{
    for (auto& [key, timer] : due_)
        Release(*timer);
    close(wakeRead_);
    close(wakeWrite_);
}

int64_t PollLoop::MonotonicMs() const
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch()).count();
}

uint32_t PollLoop::Now()
{
    return static_cast<uint32_t>(MonotonicMs());
}

void PollLoop::Arm(TTimer& timer)
{
    Disarm(timer);
    due_.emplace(std::make_pair(MonotonicMs() + timer.Interval(), sequence_++), &timer);
}

void PollLoop::Disarm(TTimer& timer)
{
    auto it = std::find_if(due_.begin(), due_.end(), [&](const auto& entry) { return entry.second == &timer; });
    if (it != due_.end())
        due_.erase(it);
}

void PollLoop::Watch(int fd, std::function<void()> onReadable)
{
    watched_[fd] = std::move(onReadable);
}

void PollLoop::Unwatch(int fd)
{
    watched_.erase(fd);
}

void PollLoop::Quit()
{
    // Only write(2), so that a signal handler may call it; errno is kept for the code it interrupted.
    int savedErrno = errno;
    char byte = 1;
    ssize_t ignored = write(wakeWrite_, &byte, 1);   // a full pipe already holds a pending quit
    (void)ignored;
    errno = savedErrno;
}

void PollLoop::Run()
{
    while (RunOnce(kNoDeadline)) {
    }
}

void PollLoop::RunFor(uint32_t maxMs)
{
    const int64_t deadline = MonotonicMs() + maxMs;
    do {
        if (!RunOnce(deadline))
            return;
    } while (MonotonicMs() < deadline);
}

void PollLoop::FireDueTimers()
{
    const int64_t now = MonotonicMs();
    while (!due_.empty() && due_.begin()->first.first <= now) {
        auto [key, timer] = *due_.begin();
        due_.erase(due_.begin());
        // Like the platform timer, a loop that fell behind fires once and skips the missed periods.
        int64_t next = key.first + timer->Interval();
        if (next <= now)
            next = now + timer->Interval();
        // Re-armed before the handler runs, so that it may disable, restart or destroy its timer.
        due_.emplace(std::make_pair(next, sequence_++), timer);
        timer->Fire();
    }
}

bool PollLoop::RunOnce(int64_t deadlineMs)
{
    FireDueTimers();

    const int64_t now = MonotonicMs();
    int64_t until = deadlineMs;
    if (!due_.empty())
        until = std::min(until, due_.begin()->first.first);
    int timeout = -1;
    if (until != kNoDeadline)
        timeout = static_cast<int>(std::clamp<int64_t>(until - now, 0, INT_MAX));

    std::vector<pollfd> fds;
    fds.reserve(watched_.size() + 1);
    fds.push_back({wakeRead_, POLLIN, 0});
    for (auto& [fd, callback] : watched_)
        fds.push_back({fd, POLLIN, 0});

    if (poll(fds.data(), fds.size(), timeout) < 0) {
        if (errno == EINTR)
            return true;
        ThrowErrno("poll");
    }

    if (fds[0].revents) {
        char buffer[64];
        while (read(wakeRead_, buffer, sizeof buffer) > 0) {
        }
        return false;
    }

    for (size_t i = 1; i < fds.size(); ++i) {
        if (!fds[i].revents)
            continue;
        // Looked up again: an earlier callback may have unwatched this descriptor.
        auto it = watched_.find(fds[i].fd);
        if (it == watched_.end())
            continue;
        if (fds[i].revents & POLLNVAL) {
            // Closed without Unwatch: poll would report it at once forever.
            DebugLog().warn("poll loop: descriptor {} was closed while watched; unwatching it", fds[i].fd);
            watched_.erase(it);
            continue;
        }
        // A copy, so that the callback may unwatch its own descriptor.
        auto callback = it->second;
        callback();
    }
    return true;
}

} // namespace vlk
