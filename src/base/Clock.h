#pragma once
// The 32-bit millisecond tick and the timers that every component runs on. One back end drives
// both: Qt timers in the client, a manual clock in tests, a poll loop in vlkserver.
#include <cstdint>
#include <functional>

namespace vlk {

class TTimer;

class ClockBackend {
public:
    virtual ~ClockBackend() = default;
    // Milliseconds since an arbitrary start; wraps at 2^32 like the platform tick count.
    virtual uint32_t Now() = 0;
    // Start (or restart) a timer: first fire Interval ms from now, then every Interval ms.
    virtual void Arm(TTimer& timer) = 0;
    virtual void Disarm(TTimer& timer) = 0;

protected:
    // A back end that goes away with timers still armed lets go of them, so that they do not
    // disarm on a dead back end later.
    static void Release(TTimer& timer);
};

// Installs the process-wide back end; nullptr restores the default one, which reads real time
// but refuses to run timers.
void SetClockBackend(ClockBackend* backend);
ClockBackend& CurrentClock();

// Installs a back end for the lifetime of the scope (tests, vlkserver's main loop).
class ClockScope {
public:
    explicit ClockScope(ClockBackend& backend);
    ~ClockScope();
    ClockScope(const ClockScope&) = delete;
    ClockScope& operator=(const ClockScope&) = delete;
private:
    ClockBackend* previous_;
};

uint32_t GetTickCount();
// Milliseconds from `earlier` to `later`, correct across the wrap.
inline uint32_t TickDiff(uint32_t later, uint32_t earlier) { return later - earlier; }

// A periodic timer in the style of the platform timer: it fires OnTimer every Interval ms while
// Enabled, Interval > 0 and OnTimer is set. Changing Interval or Enabled restarts the period.
// It is disabled on construction.
class TTimer {
public:
    TTimer() = default;
    ~TTimer();
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;

    uint32_t Interval() const { return interval_; }
    void SetInterval(uint32_t ms);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on);

    intptr_t Tag = 0;
    std::function<void(TTimer&)> OnTimer;

    // Called by the back end when the timer is due.
    void Fire();
    // Which back end holds the timer armed (nullptr when idle); back ends keep their own data here.
    ClockBackend* ArmedOn() const { return armedOn_; }
    void* BackendData = nullptr;

private:
    friend class ClockBackend;
    bool Runnable() const { return enabled_ && interval_ > 0 && OnTimer; }
    void Update();
    uint32_t interval_ = 1000;
    bool enabled_ = false;
    ClockBackend* armedOn_ = nullptr;
};

} // namespace vlk
