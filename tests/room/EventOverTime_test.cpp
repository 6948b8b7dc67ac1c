// The room's request time-outs on the manual clock: what expires when, what an answer removes, and
// the lines the room window is given.
#include "room/EventOverTime.h"

#include "base/ManualClock.h"
#include "room/RoomCommands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vlk {
namespace {

class EventOverTimeTest : public ::testing::Test {
protected:
    explicit EventOverTimeTest(uint32_t start = 500000) : clock(start), scope(clock)
    {
        tracker.SetExpiryHandler([this](const std::string& text) { lines.push_back(text); });
    }

    // Moves the clock and runs one queue-timer check.
    void After(uint32_t ms)
    {
        clock.Advance(ms);
        tracker.CheckExpired();
    }

    ManualClock clock;
    ClockScope scope;
    TEventOverTime tracker;
    std::vector<std::string> lines;
};

TEST_F(EventOverTimeTest, EveryTrackedRequestHasItsLine)
{
    struct Case {
        int32_t command;
        const char* line;
    } cases[] = {
        {roomcmd::kUserInformation, "网络超时!查看用户(5)信息失败!请稍候再试!"},
        {roomcmd::kKick, "网络超时!踢用户(5)出房间时失败!请稍候再试!"},
        {roomcmd::kUserAddress, "网络超时!查看用户(5)IP失败！请稍候再试!"},
        {roomcmd::kMute, "网络超时!请稍候再试!"},
        {roomcmd::kGift, "网络超时!给用户(5)送礼失败!请稍候再试!"},
        {roomcmd::kFunWord, "网络超时!请稍候再试!"},
        {roomcmd::kExchangeGifts, "网络超时!兑换礼品不成功!请稍候再试!"},
        {roomcmd::kOneToOneRequest, "网络超时!打开用户(5)私麦失败!请稍候再试!"},
        {roomcmd::kMicRequest, "网络超时!请求上麦无应答!请稍候再试!"},
        {roomcmd::kSeal, "网络超时!请稍候再试!"},
    };
    for (const auto& c : cases) {
        lines.clear();
        tracker.Register(c.command, 5);
        After(TEventOverTime::kTimeout);
        ASSERT_EQ(lines.size(), 1u) << c.command;
        EXPECT_EQ(lines[0], c.line) << c.command;
        EXPECT_EQ(tracker.Count(), 0);
    }
}

TEST_F(EventOverTimeTest, ARequestExpiresAfterTenSecondsAndIsReportedOnce)
{
    tracker.Register(roomcmd::kGift, 5);
    After(TEventOverTime::kTimeout - 1);
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(tracker.Count(), 1);
    After(1);
    EXPECT_EQ(lines, std::vector<std::string>{"网络超时!给用户(5)送礼失败!请稍候再试!"});
    After(TEventOverTime::kTimeout);
    EXPECT_EQ(lines.size(), 1u);
}

TEST_F(EventOverTimeTest, RegisteringAgainKeepsTheFirstEntryAndItsTick)
{
    EXPECT_EQ(tracker.Register(roomcmd::kGift, 5), 0);
    EXPECT_EQ(tracker.Register(roomcmd::kGift, 6), 1);
    clock.Advance(5000);
    EXPECT_EQ(tracker.Register(roomcmd::kGift, 5), 0);
    EXPECT_EQ(tracker.Register(roomcmd::kKick, 5), 2) << "another command with the same tag is its own request";
    EXPECT_EQ(tracker.Count(), 3);

    After(5000);   // ten seconds after the first registration of (gift, 5)
    EXPECT_EQ(lines, (std::vector<std::string>{"网络超时!给用户(6)送礼失败!请稍候再试!",
                                               "网络超时!给用户(5)送礼失败!请稍候再试!"}));

    // Two gifts to the same user: one answer clears the only entry, so nothing expires.
    lines.clear();
    tracker.Register(roomcmd::kGift, 7);
    tracker.Register(roomcmd::kGift, 7);
    EXPECT_TRUE(tracker.Remove(roomcmd::kGift, 7));
    After(TEventOverTime::kTimeout);
    EXPECT_EQ(lines, std::vector<std::string>{"网络超时!踢用户(5)出房间时失败!请稍候再试!"});
}

TEST_F(EventOverTimeTest, EachAnswerRemovesTheRequestItAnswers)
{
    struct Case {
        int32_t answer;
        int32_t request;
    } cases[] = {
        {roomcmd::kUserInformationAnswer, roomcmd::kUserInformation},
        {roomcmd::kKickResult, roomcmd::kKick},
        {roomcmd::kUserAddressAnswer, roomcmd::kUserAddress},
        {roomcmd::kMuteResult, roomcmd::kMute},
        {roomcmd::kGiftResult, roomcmd::kGift},
        {roomcmd::kFunWordResult, roomcmd::kFunWord},
        {roomcmd::kExchangeResult, roomcmd::kExchangeGifts},
        {roomcmd::kOneToOneRefused, roomcmd::kOneToOneRequest},
        {roomcmd::kOneToOneGranted, roomcmd::kOneToOneRequest},
        {roomcmd::kMicRequestResult, roomcmd::kMicRequest},
        {roomcmd::kLocalSendAddress, roomcmd::kMicRequest},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TEventOverTime::AnsweredRequest(c.answer), c.request) << c.answer;
        tracker.Register(c.request, 9);
        tracker.Register(c.request, 10);
        EXPECT_FALSE(tracker.RemoveAnswered(c.answer, 11)) << "another tag answers another request";
        EXPECT_TRUE(tracker.RemoveAnswered(c.answer, 9)) << c.answer;
        EXPECT_FALSE(tracker.RemoveAnswered(c.answer, 9)) << "nothing left for a second answer";
        EXPECT_EQ(tracker.Count(), 1) << c.answer;
        tracker.Clear();
    }
    tracker.Register(roomcmd::kGift, 9);
    EXPECT_EQ(TEventOverTime::AnsweredRequest(roomcmd::kGiftSent), 0);
    EXPECT_FALSE(tracker.RemoveAnswered(roomcmd::kGiftSent, 9)) << "a notice answers nothing";
    EXPECT_EQ(tracker.Count(), 1);
}

TEST_F(EventOverTimeTest, AnAnswerAfterTheExpiryFindsNothing)
{
    tracker.Register(roomcmd::kUserAddress, 42);
    After(TEventOverTime::kTimeout);
    EXPECT_EQ(lines, std::vector<std::string>{"网络超时!查看用户(42)IP失败！请稍候再试!"});
    EXPECT_FALSE(tracker.RemoveAnswered(roomcmd::kUserAddressAnswer, 42));
}

TEST_F(EventOverTimeTest, OnlyTheOldEntriesExpireAndTheLastRegisteredIsReportedFirst)
{
    tracker.Register(roomcmd::kUserInformation, 1);
    tracker.Register(roomcmd::kKick, 2);
    clock.Advance(4000);
    tracker.Register(roomcmd::kGift, 3);
    After(6000);
    EXPECT_EQ(lines, (std::vector<std::string>{"网络超时!踢用户(2)出房间时失败!请稍候再试!",
                                               "网络超时!查看用户(1)信息失败!请稍候再试!"}));
    EXPECT_EQ(tracker.Count(), 1);
    EXPECT_EQ(tracker.Register(roomcmd::kGift, 3), 0) << "the younger entry moved up";
}

TEST_F(EventOverTimeTest, AHandlerMayRegisterWhileEntriesExpire)
{
    tracker.Register(roomcmd::kMicRequest, 1);
    tracker.Register(roomcmd::kGift, 2);
    tracker.SetExpiryHandler([this](const std::string& text) {
        lines.push_back(text);
        tracker.Register(roomcmd::kMicRequest, 1);   // asks again at once
    });
    After(TEventOverTime::kTimeout);
    EXPECT_EQ(lines.size(), 2u);
    EXPECT_EQ(tracker.Count(), 1) << "the new request waits its own ten seconds";
    After(TEventOverTime::kTimeout - 1);
    EXPECT_EQ(lines.size(), 2u);
    After(1);
    EXPECT_EQ(lines.size(), 3u);
}

TEST_F(EventOverTimeTest, WithoutAHandlerExpiredEntriesStillGo)
{
    TEventOverTime silent;
    silent.Register(roomcmd::kGift, 1);
    clock.Advance(TEventOverTime::kTimeout);
    silent.CheckExpired();
    EXPECT_EQ(silent.Count(), 0);
}

class EventOverTimeWrapTest : public EventOverTimeTest {
protected:
    EventOverTimeWrapTest() : EventOverTimeTest(0xFFFFFFFFu - 3000) {}
};

TEST_F(EventOverTimeWrapTest, AgesAreRightAcrossTheTickWrap)
{
    tracker.Register(roomcmd::kGift, 5);
    After(TEventOverTime::kTimeout - 1);   // the tick has wrapped past zero
    EXPECT_TRUE(lines.empty());
    After(1);
    EXPECT_EQ(lines.size(), 1u);
}

} // namespace
} // namespace vlk
