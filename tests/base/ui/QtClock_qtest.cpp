#include "base/ui/QtClock.h"

#include <QTest>

#include <memory>

namespace vlk {

class QtClockTest : public QObject {
    Q_OBJECT

private slots:
    void nowFollowsRealTime()
    {
        QtClock clock;
        ClockScope scope(clock);
        const uint32_t start = GetTickCount();
        QTest::qWait(50);
        const uint32_t elapsed = TickDiff(GetTickCount(), start);
        QVERIFY(elapsed >= 50);
        QVERIFY(elapsed < 5000);
    }

    void firesPeriodicallyUntilItsHandlerDisablesIt()
    {
        QtClock clock;
        ClockScope scope(clock);
        TTimer timer;
        int calls = 0;
        const uint32_t start = GetTickCount();
        uint32_t third = 0;
        timer.SetInterval(10);
        timer.OnTimer = [&](TTimer& t) {
            if (++calls == 3) {
                third = TickDiff(GetTickCount(), start);
                t.SetEnabled(false);
            }
        };
        timer.SetEnabled(true);
        QTRY_COMPARE(calls, 3);
        QVERIFY(third >= 30);
        QCOMPARE(timer.ArmedOn(), nullptr);
        QTest::qWait(40);
        QCOMPARE(calls, 3);
    }

    void handlerRestartsItsTimerWithANewInterval()
    {
        QtClock clock;
        ClockScope scope(clock);
        TTimer timer;
        int calls = 0;
        timer.SetInterval(5);
        timer.OnTimer = [&](TTimer& t) {
            ++calls;
            t.SetEnabled(false);
            t.SetInterval(t.Interval() + 5);
            t.SetEnabled(calls < 4);
        };
        timer.SetEnabled(true);
        QTRY_COMPARE(calls, 4);
        QTest::qWait(40);
        QCOMPARE(calls, 4);
    }

    void destroyedTimerNeverFires()
    {
        QtClock clock;
        ClockScope scope(clock);
        int calls = 0;
        auto timer = std::make_unique<TTimer>();
        timer->SetInterval(10);
        timer->OnTimer = [&](TTimer&) { ++calls; };
        timer->SetEnabled(true);
        timer.reset();
        QTest::qWait(40);
        QCOMPARE(calls, 0);
    }

    void timerOutlivesItsClock()
    {
        TTimer timer;
        {
            QtClock clock;
            ClockScope scope(clock);
            timer.SetInterval(10);
            timer.OnTimer = [](TTimer&) {};
            timer.SetEnabled(true);
        }
        QCOMPARE(timer.ArmedOn(), nullptr);
        QCOMPARE(timer.BackendData, nullptr);
        QTest::qWait(30);
    }
};

} // namespace vlk

QTEST_MAIN(vlk::QtClockTest)
#include "QtClock_qtest.moc"
