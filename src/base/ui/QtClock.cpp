#include "base/ui/QtClock.h"

#include <QTimer>

#include <algorithm>
#include <climits>

namespace vlk {

QtClock::QtClock()
{
    elapsed_.start();
    // Counted from the monotonic clock's reference (boot on Linux), like the platform tick count.
    start_ = static_cast<uint32_t>(elapsed_.msecsSinceReference());
}

QtClock::~QtClock()
{
    for (TTimer* timer : armed_) {
        delete static_cast<QTimer*>(timer->BackendData);
        timer->BackendData = nullptr;
        Release(*timer);
    }
}

uint32_t QtClock::Now()
{
    return start_ + static_cast<uint32_t>(elapsed_.elapsed());
}

void QtClock::Arm(TTimer& timer)
{
    Disarm(timer);
    auto* qtimer = new QTimer;
    // The platform timer keeps to the millisecond grain; a coarse QTimer may be 5% late.
    qtimer->setTimerType(Qt::PreciseTimer);
    QObject::connect(qtimer, &QTimer::timeout, [&timer] { timer.Fire(); });
    qtimer->start(static_cast<int>(std::min<uint32_t>(timer.Interval(), INT_MAX)));
    timer.BackendData = qtimer;
    armed_.insert(&timer);
}

void QtClock::Disarm(TTimer& timer)
{
    auto* qtimer = static_cast<QTimer*>(timer.BackendData);
    if (!qtimer)
        return;
    timer.BackendData = nullptr;
    armed_.erase(&timer);
    qtimer->stop();
    qtimer->disconnect();
    // The QTimer's own timeout may be what is disarming it, so it goes once control is back in
    // the event loop.
    qtimer->deleteLater();
}

} // namespace vlk
