#include "base/ManualClock.h"

#include <algorithm>

namespace vlk {

ManualClock::~ManualClock()
{
    for (auto& [key, timer] : due_)
        Release(*timer);
}

void ManualClock::Arm(TTimer& timer)
{
    Disarm(timer);
    due_.emplace(std::make_pair(now_ + timer.Interval(), sequence_++), &timer);
}

void ManualClock::Disarm(TTimer& timer)
{
    auto it = std::find_if(due_.begin(), due_.end(), [&](const auto& entry) { return entry.second == &timer; });
    if (it != due_.end())
        due_.erase(it);
}

void ManualClock::Advance(uint32_t ms)
{
    const uint64_t target = now_ + ms;
    while (!due_.empty() && due_.begin()->first.first <= target) {
        auto [key, timer] = *due_.begin();
        due_.erase(due_.begin());
        now_ = key.first;
        // Re-armed before the handler runs, so that a handler which disables, restarts or
        // destroys its timer finds it armed like any other.
        due_.emplace(std::make_pair(key.first + timer->Interval(), sequence_++), timer);
        timer->Fire();
    }
    now_ = target;
}

} // namespace vlk
