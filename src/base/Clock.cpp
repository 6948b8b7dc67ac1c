#include "base/Clock.h"

#include <atomic>
#include <chrono>
#include <stdexcept>

namespace vlk {

namespace {

// What runs before any back end is installed: the tick works, timers do not, so a component that
// arms a timer without a clock fails loudly instead of never firing.
class DefaultClock : public ClockBackend {
public:
    uint32_t Now() override
    {
        auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now().time_since_epoch());
        return static_cast<uint32_t>(ms.count());
    }
    void Arm(TTimer&) override { throw std::logic_error("no timer back end installed"); }
    void Disarm(TTimer&) override {}
};

DefaultClock defaultClock;
// Receive threads read the tick, so the pointer is atomic; nullptr means the default back end.
std::atomic<ClockBackend*> installed{nullptr};

} // namespace

void ClockBackend::Release(TTimer& timer)
{
    timer.armedOn_ = nullptr;
}

void SetClockBackend(ClockBackend* backend)
{
    installed.store(backend);
}

ClockBackend& CurrentClock()
{
    ClockBackend* backend = installed.load();
    return backend ? *backend : defaultClock;
}

ClockScope::ClockScope(ClockBackend& backend) : previous_(installed.load())
{
    SetClockBackend(&backend);
}

ClockScope::~ClockScope()
{
    SetClockBackend(previous_);
}

uint32_t GetTickCount()
{
    return CurrentClock().Now();
}

TTimer::~TTimer()
{
    if (armedOn_)
        armedOn_->Disarm(*this);
}

// Setting the value a timer already has leaves its period alone (code that re-enables a running
// timer on every event must not keep postponing it), unless the timer should run and does not,
// which happens when OnTimer was assigned after the timer was enabled.
void TTimer::SetInterval(uint32_t ms)
{
    if (ms == interval_ && (armedOn_ || !Runnable()))
        return;
    interval_ = ms;
    Update();
}

void TTimer::SetEnabled(bool on)
{
    if (on == enabled_ && (armedOn_ || !Runnable()))
        return;
    enabled_ = on;
    Update();
}

void TTimer::Fire()
{
    // A copy, so that a handler may replace OnTimer (or destroy the timer) while it runs.
    auto handler = OnTimer;
    if (handler)
        handler(*this);
}

void TTimer::Update()
{
    if (armedOn_) {
        armedOn_->Disarm(*this);
        armedOn_ = nullptr;
    }
    if (!Runnable())
        return;
    ClockBackend& clock = CurrentClock();
    clock.Arm(*this);
    armedOn_ = &clock;
}

} // namespace vlk
