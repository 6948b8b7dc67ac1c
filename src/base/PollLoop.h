#pragma once
// vlkserver's main loop: real time, timers, and readiness callbacks for file descriptors, on one
// thread. Quit may be called from any thread or a signal handler.
#include "base/Clock.h"

#include <cstdint>
#include <functional>
#include <map>
#include <utility>

namespace vlk {

class PollLoop : public ClockBackend {
public:
    PollLoop();
    ~PollLoop() override;

    uint32_t Now() override;
    void Arm(TTimer& timer) override;
    void Disarm(TTimer& timer) override;

    // Calls onReadable on the loop thread whenever fd is readable (level-triggered).
    void Watch(int fd, std::function<void()> onReadable);
    void Unwatch(int fd);

    // Runs until Quit; returns at once if Quit was called since the last Run ended.
    void Run();
    // Runs at most maxMs of real time, or until Quit.
    void RunFor(uint32_t maxMs);
    void Quit();

private:
    bool RunOnce(int64_t deadlineMs);   // false once Quit was called
    void FireDueTimers();
    int64_t MonotonicMs() const;

    // A pipe rather than an eventfd keeps the loop portable; Quit writes a byte to wake poll.
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    int64_t sequence_ = 0;
    std::map<std::pair<int64_t, int64_t>, TTimer*> due_;   // (due ms, arm sequence) -> timer
    std::map<int, std::function<void()>> watched_;
};

} // namespace vlk
