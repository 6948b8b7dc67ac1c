#include "base/PollLoop.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace vlk {
namespace {

class PollLoopTest : public ::testing::Test {
protected:
    PollLoopTest() : scope(loop)
    {
        EXPECT_EQ(pipe(fds), 0);
        fcntl(fds[0], F_SETFL, O_NONBLOCK);
    }
    ~PollLoopTest() override
    {
        close(fds[0]);
        close(fds[1]);
    }

    void Send(const std::string& bytes) { ASSERT_EQ(write(fds[1], bytes.data(), bytes.size()), ssize_t(bytes.size())); }

    PollLoop loop;
    ClockScope scope;
    int fds[2];
};

TEST_F(PollLoopTest, TimersFireInDueOrderOnRealTime)
{
    TTimer fast, slow;
    std::vector<std::pair<char, uint32_t>> fired;
    const uint32_t start = GetTickCount();
    fast.SetInterval(10);
    fast.OnTimer = [&](TTimer&) { fired.emplace_back('f', TickDiff(GetTickCount(), start)); };
    slow.SetInterval(35);
    slow.OnTimer = [&](TTimer& t) {
        fired.emplace_back('s', TickDiff(GetTickCount(), start));
        t.SetEnabled(false);
        loop.Quit();
    };
    fast.SetEnabled(true);
    slow.SetEnabled(true);
    loop.Run();

    ASSERT_GE(fired.size(), 2u);
    // A loop that wakes late fires everything due in that pass, so the fast timer may follow the slow one.
    const auto slowFired = std::find_if(fired.begin(), fired.end(), [](const auto& f) { return f.first == 's'; });
    ASSERT_NE(slowFired, fired.end());
    EXPECT_EQ(std::count_if(fired.begin(), fired.end(), [](const auto& f) { return f.first == 's'; }), 1);
    EXPECT_GE(slowFired->second, 35u);
    uint32_t fastCount = 0, previous = 0;
    for (auto [name, at] : fired) {
        if (name == 'f') {
            EXPECT_GE(at, 10 * ++fastCount) << "fast timer fired early";
        }
        EXPECT_LE(previous, at);
        previous = at;
    }
    EXPECT_EQ(slow.ArmedOn(), nullptr);
}

TEST_F(PollLoopTest, WatchedPipeIsLevelTriggeredAndMayUnwatchItself)
{
    std::string received;
    loop.Watch(fds[0], [&] {
        char c;
        ASSERT_EQ(read(fds[0], &c, 1), 1);   // one byte per wake-up; the rest must wake it again
        received += c;
        if (c == '!')
            loop.Unwatch(fds[0]);
    });
    Send("ab!cd");
    loop.RunFor(50);
    EXPECT_EQ(received, "ab!");

    loop.Watch(fds[0], [&] {
        char buffer[16];
        ssize_t n = read(fds[0], buffer, sizeof buffer);
        received.append(buffer, n > 0 ? n : 0);
    });
    loop.RunFor(20);
    EXPECT_EQ(received, "ab!cd");
}

TEST_F(PollLoopTest, QuitFromAnotherThreadEndsRun)
{
    int ticks = 0;
    TTimer timer;
    timer.SetInterval(5);
    timer.OnTimer = [&](TTimer&) { ++ticks; };
    timer.SetEnabled(true);
    std::thread quitter([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(60));
        loop.Quit();
    });
    loop.Run();
    quitter.join();
    EXPECT_GE(ticks, 1) << "the loop ran its timer until the other thread quit it";
}

TEST_F(PollLoopTest, QuitBeforeRunIsKeptForTheNextRunOnly)
{
    loop.Quit();
    loop.Quit();
    auto before = std::chrono::steady_clock::now();
    loop.Run();
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(1));

    int calls = 0;
    loop.Watch(fds[0], [&] {
        char c;
        ASSERT_EQ(read(fds[0], &c, 1), 1);
        ++calls;
    });
    Send("x");
    loop.RunFor(30);
    EXPECT_EQ(calls, 1) << "the quit was used up by the first Run";
}

} // namespace
} // namespace vlk
