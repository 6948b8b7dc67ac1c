#include "base/Clock.h"
#include "base/ManualClock.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace vlk {
namespace {

using Firing = std::pair<std::string, uint32_t>;   // timer name, Now() when it fired

class ManualClockTest : public ::testing::Test {
protected:
    explicit ManualClockTest(uint32_t start = 0) : clock(start), scope(clock) {}

    // A timer that records its firings; armed by SetEnabled(true) as the last step.
    void Start(TTimer& timer, const std::string& name, uint32_t interval)
    {
        timer.SetInterval(interval);
        timer.OnTimer = [this, name](TTimer&) { fired.emplace_back(name, clock.Now()); };
        timer.SetEnabled(true);
    }

    ManualClock clock;
    ClockScope scope;
    std::vector<Firing> fired;
};

TEST(ClockBackendTest, DefaultBackEndRefusesTimers)
{
    TTimer timer;
    timer.SetInterval(10);
    timer.OnTimer = [](TTimer&) {};
    EXPECT_THROW(timer.SetEnabled(true), std::logic_error);
    EXPECT_EQ(timer.ArmedOn(), nullptr);
}

TEST(ClockBackendTest, ScopesNestAndRestoreThePreviousBackEnd)
{
    ManualClock outer(100), inner(5000);
    {
        ClockScope a(outer);
        {
            ClockScope b(inner);
            EXPECT_EQ(GetTickCount(), 5000u);
        }
        EXPECT_EQ(GetTickCount(), 100u);
    }
    EXPECT_NE(&CurrentClock(), &outer);
}

TEST_F(ManualClockTest, ArmedOnlyWithEnabledIntervalAndHandler)
{
    TTimer timer;
    timer.SetEnabled(true);
    EXPECT_EQ(timer.ArmedOn(), nullptr) << "no OnTimer yet";

    timer.OnTimer = [](TTimer&) {};
    timer.SetEnabled(true);   // enabling again once the handler is there arms it
    EXPECT_EQ(timer.ArmedOn(), &clock);

    timer.SetInterval(0);
    EXPECT_EQ(timer.ArmedOn(), nullptr);
    EXPECT_EQ(clock.ArmedCount(), 0u);
}

TEST_F(ManualClockTest, FiresInDueOrderWithTiesInArmOrder)
{
    TTimer a, b, c;
    Start(a, "a", 30);
    Start(b, "b", 20);
    Start(c, "c", 20);
    clock.Advance(60);
    std::vector<Firing> expected{{"b", 20}, {"c", 20}, {"a", 30}, {"b", 40}, {"c", 40},
                                 {"a", 60}, {"b", 60}, {"c", 60}};
    EXPECT_EQ(fired, expected);
    EXPECT_EQ(clock.Now(), 60u);
}

TEST_F(ManualClockTest, SmallStepsFireLikeOneBigStep)
{
    TTimer timer;
    Start(timer, "t", 7);
    for (int i = 0; i < 10; ++i)
        clock.Advance(3);
    std::vector<Firing> expected{{"t", 7}, {"t", 14}, {"t", 21}, {"t", 28}};
    EXPECT_EQ(fired, expected);
}

class ManualClockWrapTest : public ManualClockTest {
protected:
    ManualClockWrapTest() : ManualClockTest(0xFFFFFFF0u) {}
};

TEST_F(ManualClockWrapTest, KeepsOrderAndPeriodAcrossTheWrap)
{
    TTimer slow, fast;
    Start(slow, "slow", 20);
    Start(fast, "fast", 8);
    clock.Advance(40);
    std::vector<Firing> expected{{"fast", 0xFFFFFFF8u}, {"fast", 0}, {"slow", 4}, {"fast", 8},
                                 {"fast", 16}, {"slow", 24}, {"fast", 24}};
    EXPECT_EQ(fired, expected);
    EXPECT_EQ(TickDiff(clock.Now(), 0xFFFFFFF0u), 40u);
}

TEST_F(ManualClockTest, SettingTheSameValueDoesNotPostpone)
{
    TTimer timer;
    Start(timer, "t", 10);
    clock.Advance(6);
    timer.SetEnabled(true);
    timer.SetInterval(10);
    clock.Advance(4);
    EXPECT_EQ(fired, (std::vector<Firing>{{"t", 10}}));
}

TEST_F(ManualClockTest, ChangingIntervalOrEnabledRestartsThePeriod)
{
    TTimer timer;
    Start(timer, "t", 10);
    clock.Advance(6);
    timer.SetInterval(20);   // next at 26
    clock.Advance(20);
    timer.SetEnabled(false);
    clock.Advance(94);       // 120
    timer.SetEnabled(true);  // next at 140
    clock.Advance(20);
    EXPECT_EQ(fired, (std::vector<Firing>{{"t", 26}, {"t", 140}}));
}

TEST_F(ManualClockTest, HandlerDisablesItsOwnTimer)
{
    TTimer timer;
    int calls = 0;
    timer.SetInterval(10);
    timer.OnTimer = [&](TTimer& t) {
        ++calls;
        t.SetEnabled(false);
    };
    timer.SetEnabled(true);
    clock.Advance(100);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(clock.ArmedCount(), 0u);
    EXPECT_EQ(timer.ArmedOn(), nullptr);
}

TEST_F(ManualClockTest, HandlerRestartsItsOwnTimerWithANewInterval)
{
    TTimer timer;
    timer.SetInterval(10);
    timer.OnTimer = [&](TTimer& t) {
        fired.emplace_back("t", clock.Now());
        t.SetEnabled(false);
        t.SetInterval(t.Interval() + 5);
        t.SetEnabled(true);
    };
    timer.SetEnabled(true);
    clock.Advance(60);
    EXPECT_EQ(fired, (std::vector<Firing>{{"t", 10}, {"t", 25}, {"t", 45}}));
    EXPECT_EQ(clock.ArmedCount(), 1u);
}

TEST_F(ManualClockTest, HandlerArmsAndDisarmsOtherTimersDuringAdvance)
{
    TTimer starter, late, victim;
    Start(victim, "victim", 20);
    late.SetInterval(5);
    late.OnTimer = [&](TTimer&) { fired.emplace_back("late", clock.Now()); };
    starter.SetInterval(10);
    starter.OnTimer = [&](TTimer& t) {
        fired.emplace_back("starter", clock.Now());
        t.SetEnabled(false);
        late.SetEnabled(true);       // due at 15, inside this Advance
        victim.SetEnabled(false);    // was due at 20
    };
    starter.SetEnabled(true);
    clock.Advance(30);
    EXPECT_EQ(fired, (std::vector<Firing>{{"starter", 10}, {"late", 15}, {"late", 20}, {"late", 25},
                                          {"late", 30}}));
}

TEST_F(ManualClockTest, HandlerMayDestroyItsTimer)
{
    auto timer = std::make_unique<TTimer>();
    int calls = 0;
    timer->SetInterval(10);
    timer->OnTimer = [&](TTimer&) {
        ++calls;
        timer.reset();
    };
    timer->SetEnabled(true);
    clock.Advance(50);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(clock.ArmedCount(), 0u);
}

TEST_F(ManualClockTest, DestroyedTimerIsDisarmed)
{
    {
        TTimer timer;
        Start(timer, "t", 10);
        EXPECT_EQ(clock.ArmedCount(), 1u);
    }
    EXPECT_EQ(clock.ArmedCount(), 0u);
    clock.Advance(100);
    EXPECT_TRUE(fired.empty());
}

TEST(ManualClockLifetimeTest, TimerOutlivesItsClock)
{
    TTimer timer;
    {
        ManualClock clock;
        ClockScope scope(clock);
        timer.SetInterval(10);
        timer.OnTimer = [](TTimer&) {};
        timer.SetEnabled(true);
        ASSERT_EQ(timer.ArmedOn(), &clock);
    }
    EXPECT_EQ(timer.ArmedOn(), nullptr);
    timer.SetEnabled(false);   // must not reach the destroyed clock
}

} // namespace
} // namespace vlk
