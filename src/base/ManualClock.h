#pragma once
// A deterministic clock for tests: time moves only when Advance is called, and due timers fire in
// order of their due time (ties in the order they were armed), each seeing Now() at its due time.
#include "base/Clock.h"

#include <atomic>
#include <map>
#include <utility>

namespace vlk {

class ManualClock : public ClockBackend {
public:
    explicit ManualClock(uint32_t start = 0) : now_(start) {}
    ~ManualClock() override;

    uint32_t Now() override { return static_cast<uint32_t>(now_); }
    void Arm(TTimer& timer) override;
    void Disarm(TTimer& timer) override;

    // Moves time forward by ms, firing every timer that falls due on the way.
    void Advance(uint32_t ms);
    size_t ArmedCount() const { return due_.size(); }

private:
    // Not wrapped, so due times order correctly across the 32-bit wrap; atomic because receive
    // threads read the tick while a test advances it.
    std::atomic<uint64_t> now_;
    uint64_t sequence_ = 0;
    std::map<std::pair<uint64_t, uint64_t>, TTimer*> due_;  // (due time, arm sequence) -> timer
};

} // namespace vlk
