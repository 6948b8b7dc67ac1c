// The hall server and the room-information servers as clients see them: enciphered messages over
// the reliable channel, memory endpoints, the manual clock.
#include "vlkserver/support/ServerHarness.h"

#include "room/LocalUserInfo.h"
#include "room/RoomInfo.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace vlk;
using namespace vlk::test;

namespace {

struct HallServerTest : ::testing::Test {
    TServerHarness h;
};

TEST_F(HallServerTest, ProbeIsAnsweredToItsSender)
{
    auto& a = h.Client(9, 4321);
    auto& b = h.Client(8, 1234);
    THallProbe probe;
    h.Send(a, kHallPort, probe);
    EXPECT_EQ(a.Codes(), std::vector<int32_t>{THallProbeAnswer::kCode});
    EXPECT_TRUE(b.received.empty());
}

struct LoginCase {
    const char* name;
    int32_t userId;
    std::string digest;
    std::string error;
};

TEST_F(HallServerTest, LoginIsRefusedOrAcceptedByNumberAndDigest)
{
    const std::string upper = "E10ADC3949BA59ABBE56E057F20F883E";
    const LoginCase cases[] = {
        {"unknown number", 10009, kDigest123456, "用户不存在"},
        {"negative number", -5, kDigest123456, "用户不存在"},
        {"wrong digest", 10001, kDigest888888, "密码错误"},
        {"empty digest", 10002, "", "密码错误"},
        {"number 0 with a digest", 0, kDigest123456, "用户不存在"},
        {"right digest", 10002, kDigest888888, ""},
        {"digest in upper case", 10001, upper, ""},
        {"guest", 0, "", ""},
    };
    uint8_t host = 10;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto& client = h.Client(host++);
        THallLogin login;
        login.SetUserID(c.userId);
        login.SetPasswordDigest(c.digest);
        h.Send(client, kHallPort, login);
        const auto answer = client.Last<THallLoginAnswer>();
        ASSERT_TRUE(answer);
        EXPECT_EQ(answer->ErrorText(), c.error);
        if (!c.error.empty()) {
            EXPECT_EQ(client.Codes(), std::vector<int32_t>{THallLoginAnswer::kCode});
            EXPECT_EQ(answer->UserInfo().HallKey(), 0u);
        }
    }
    EXPECT_EQ(h.online.Size(), 3u);
}

TEST_F(HallServerTest, AcceptedLoginCarriesTheMemberAndTheHallData)
{
    auto& client = h.Client(9);
    THallLogin login;
    login.SetUserID(10001);
    login.SetPasswordDigest(kDigest123456);
    h.Send(client, kHallPort, login);

    ASSERT_EQ(client.Codes(), (std::vector<int32_t>{THallLoginAnswer::kCode, THallWeekStars::kCode, THallMonthStars::kCode,
                                                    THallKingQueen::kCode, THallKingQueenRights::kCode}));
    const auto answer = client.Last<THallLoginAnswer>().value();
    EXPECT_EQ(answer.ErrorText(), "");
    EXPECT_EQ(answer.MediaValue(), 7);
    EXPECT_EQ(answer.HallPageURL(), "http://127.0.0.1:8080/hall.html");
    EXPECT_EQ(answer.SecondURL(), "http://127.0.0.1:8080/hall.html");
    EXPECT_EQ(answer.ChatFilter(), "坏话|脏话");
    const THallUserInfo user = answer.UserInfo();
    EXPECT_EQ(user.UserID(), 10001);
    EXPECT_EQ(user.PasswordDigest(), kDigest123456);
    EXPECT_EQ(user.Nickname(), "小明");
    EXPECT_EQ(user.Level(), 15);
    EXPECT_EQ(user.RoomLimit(), 3);
    EXPECT_EQ(user.Hidden(), 1);
    EXPECT_NE(user.HallKey(), 0u);

    EXPECT_EQ(client.Last<THallWeekStars>()->Pairs(), (std::vector<TStarPair>{{10001, 3}}));
    EXPECT_EQ(client.Last<THallMonthStars>()->Pairs(), (std::vector<TStarPair>{{10002, 4}, {10001, 5}}));
    const auto kingQueen = client.Last<THallKingQueen>().value();
    EXPECT_DOUBLE_EQ(kingQueen.ServerTime(), 46000.25);
    const TRecord record(kingQueen.Record().data(), THallKingQueen::kRecordSize);
    EXPECT_EQ(record.i32(0), 10001);
    EXPECT_EQ(record.i32(36), 10002);
    EXPECT_GT(record.datetime(80), 40000.0);
    EXPECT_EQ(client.Last<THallKingQueenRights>()->KingRights(), std::string(THallKingQueenRights::kRightsSize, '\0'));
}

TEST_F(HallServerTest, GuestGetsTheGuestRecordAndGuestsDoNotPushEachOtherOut)
{
    auto& first = h.Client(9);
    auto& second = h.Client(10);
    const THallUserInfo a = h.LogIn(first, 0, "");
    const THallUserInfo b = h.LogIn(second, 0, "");
    EXPECT_EQ(a.UserID(), 0);
    EXPECT_EQ(a.Level(), THallUserInfo::kGuestLevel);
    EXPECT_EQ(a.Nickname(), "游客");
    EXPECT_EQ(a.RoomLimit(), server::THallServer::kGuestRoomLimit);
    EXPECT_NE(a.HallKey(), b.HallKey());
    EXPECT_TRUE(first.All<THallLoggedInElsewhere>().empty());
    EXPECT_EQ(h.EnterRoom(first, a, 501).Result(), THallEnterRoomAnswer::Accepted);
    EXPECT_EQ(h.EnterRoom(second, b, 501).Result(), THallEnterRoomAnswer::Accepted);
}

TEST_F(HallServerTest, SecondLoginOfANumberTellsTheFirstSessionAndEndsIt)
{
    auto& first = h.Client(9);
    auto& second = h.Client(10, 6000);
    const THallUserInfo old = h.LogIn(first, 10001, kDigest123456);
    const THallUserInfo now = h.LogIn(second, 10001, kDigest123456);

    const auto told = first.All<THallLoggedInElsewhere>();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].UserID(), 10001);
    EXPECT_TRUE(second.All<THallLoggedInElsewhere>().empty());
    EXPECT_NE(old.HallKey(), now.HallKey());
    EXPECT_EQ(h.EnterRoom(first, old, 501).Result(), THallEnterRoomAnswer::NotLoggedIn);
    EXPECT_EQ(h.EnterRoom(second, now, 501).Result(), THallEnterRoomAnswer::Accepted);
    EXPECT_EQ(h.online.Size(), 1u);
}

TEST_F(HallServerTest, EnterRoomNeedsTheSessionAndAKnownRoom)
{
    auto& client = h.Client(9);
    const THallUserInfo user = h.LogIn(client, 10001, kDigest123456);
    THallUserInfo wrongKey = user;
    wrongKey.SetHallKey(user.HallKey() + 1);
    THallUserInfo otherNumber = user;
    otherNumber.SetUserID(10002);

    struct Case {
        const char* name;
        const THallUserInfo& user;
        int32_t room;
        int32_t result;
        int32_t line;
    } const cases[] = {
        {"room on line 1", user, 501, THallEnterRoomAnswer::Accepted, 1},
        {"password room on line 2", user, 502, THallEnterRoomAnswer::Accepted, 2},
        {"room on line 3", user, 503, THallEnterRoomAnswer::Accepted, 3},
        {"unknown room", user, 999, THallEnterRoomAnswer::NoSuchRoom, 0},
        {"unknown hall key", wrongKey, 501, THallEnterRoomAnswer::NotLoggedIn, 0},
        {"key of another number", otherNumber, 501, THallEnterRoomAnswer::NotLoggedIn, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto answer = h.EnterRoom(client, c.user, c.room);
        EXPECT_EQ(answer.RoomID(), c.room);
        EXPECT_EQ(answer.Result(), c.result);
        EXPECT_EQ(answer.Line(), c.line);
    }
}

TEST_F(HallServerTest, RoomInformationChecksRoomPasswordAndSession)
{
    auto& client = h.Client(9);
    const THallUserInfo user = h.LogIn(client, 10002, kDigest888888);
    THallUserInfo stranger = user;
    stranger.SetHallKey(user.HallKey() ^ 0x5A5A5A5A);

    struct Case {
        const char* name;
        const THallUserInfo& user;
        int32_t room;
        uint16_t port;
        std::string password;
        std::string error;
    } const cases[] = {
        {"unknown room", user, 999, 20011, "", "房间不存在"},
        {"room of another line", user, 501, 20022, "", "房间不存在"},
        {"password room without password", user, 502, 20022, "", "房间密码错误"},
        {"password room with a wrong one", user, 502, 20022, "888", "房间密码错误"},
        {"not logged in", stranger, 501, 20011, "", "用户未登录大厅"},
        {"open room", user, 501, 20011, "", ""},
        {"password room with its password", user, 502, 20022, "8888", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto answer = h.RoomInfo(client, c.user, c.room, c.port, c.password);
        EXPECT_EQ(answer.RoomID(), c.room);
        EXPECT_EQ(answer.ErrorText(), c.error);
        // The client sends its retry with a password to this address, so refusals carry it too.
        EXPECT_EQ(answer.ServerAddress(), h.config.ListenAddress);
        EXPECT_EQ(answer.ServerPort(), c.port);
        const auto room = TRoomInfo::Parse(answer.RoomInfoBytes().data(), TRoomInfo::kSize).value();
        EXPECT_EQ(room.RoomNumber(), c.error.empty() ? c.room : 0);
    }
}

TEST_F(HallServerTest, RoomInformationCarriesTheMemberAndTheRoomSettings)
{
    auto& client = h.Client(9);
    const THallUserInfo user = h.LogIn(client, 10001, kDigest123456);
    const auto answer = h.RoomInfo(client, user, 501, 20011);
    ASSERT_EQ(answer.ErrorText(), "");

    const auto local = TLocalUserInfo::Parse(answer.LocalUserBytes().data(), TLocalUserInfo::kSize).value();
    EXPECT_EQ(local.UserNumber(), 10001);
    EXPECT_EQ(local.HallKey(), user.HallKey());
    EXPECT_EQ(local.Nickname(), "小明");
    EXPECT_EQ(local.Level(), 15);
    EXPECT_EQ(local.Coins(), 500);
    EXPECT_EQ(local.Points(), 20);
    EXPECT_FALSE(local.LevelRights().KickLevels().Permits());

    const auto room = TRoomInfo::Parse(answer.RoomInfoBytes().data(), TRoomInfo::kSize).value();
    EXPECT_EQ(room.RoomNumber(), 501);
    EXPECT_EQ(room.RoomName(), "音乐大厅");
    EXPECT_EQ(room.Line(), 1);
    EXPECT_EQ(room.OwnerNumber(), 10001);
    EXPECT_EQ(room.Notice(), "公告");
    EXPECT_EQ(room.WelcomeText(), "欢迎");
    EXPECT_EQ(room.PublicMicCount(), 3);
    EXPECT_TRUE(room.MicOpen(0) && room.MicOpen(2));
    EXPECT_FALSE(room.MicOpen(3) || room.FreeMic(0));
    EXPECT_EQ(room.MaxUsers(), 150);
    EXPECT_EQ(room.ChatInterval(), 4);
    EXPECT_EQ(room.GiftDisplayInterval(), 100);
    EXPECT_EQ(room.ServerAddress(), h.config.ListenAddress);
}

TEST_F(HallServerTest, RegistrationHandsOutTheLowestFreeNumberAndTheAccountCanLogIn)
{
    auto& client = h.Client(9);
    auto registerAs = [&](const std::string& nickname, const std::string& digest) {
        TRegistrationRecord record;
        record.SetNickname(nickname);
        record.SetPasswordDigest(digest);
        THallRegister request;
        request.SetRecord(record);
        h.Send(client, kHallPort, request);
        return client.Last<THallRegisterAnswer>().value();
    };
    const std::string digest = "0123456789abcdef0123456789abcdef";
    const auto first = registerAs("新人", digest);
    const auto second = registerAs("又一个", digest);
    EXPECT_EQ(first.Result(), 0);
    EXPECT_EQ(first.NewUserID(), 10000);
    EXPECT_EQ(second.Result(), 0);
    EXPECT_EQ(second.NewUserID(), 10003);   // 10001 and 10002 are taken

    for (const auto& [nickname, badDigest] : {std::pair<std::string, std::string>{"", digest}, {"  ", digest},
                                              {"无密码", ""}, {"短密码", "0123"}}) {
        const auto refused = registerAs(nickname, badDigest);
        EXPECT_EQ(refused.Result(), server::THallServer::kRegistrationRefused);
        EXPECT_EQ(refused.NewUserID(), 0);
    }

    const THallUserInfo user = h.LogIn(client, 10003, digest);
    EXPECT_EQ(user.Nickname(), "又一个");
    EXPECT_EQ(user.Level(), 15);
}

TEST_F(HallServerTest, KeepAlivesHoldTheSessionAndItIsDroppedWhenTheyStop)
{
    auto& member = h.Client(9);
    auto& guest = h.Client(10);
    THallUserInfo user = h.LogIn(member, 10001, kDigest123456);
    const THallUserInfo guestUser = h.LogIn(guest, 0, "");
    auto keepAlive = [&] {
        THallKeepAlive m;
        m.SetUserID(user.UserID());
        m.SetHallKey(user.HallKey());
        m.SetSessionValue(user.SessionValue());
        m.SetSessionWord(user.SessionWord());
        const size_t before = member.All<THallKeepAliveAnswer>().size();
        h.Send(member, kHallPort, m);
        const auto answers = member.All<THallKeepAliveAnswer>();
        if (answers.size() == before)
            return false;
        user.SetSessionValue(answers.back().SessionValue());
        user.SetSessionWord(answers.back().SessionWord());
        return true;
    };

    // Ten minutes of keep-alives every 30 s, each answered with a new session value.
    for (int i = 0; i < 20; ++i) {
        const uint32_t value = user.SessionValue();
        ASSERT_TRUE(keepAlive());
        EXPECT_NE(user.SessionValue(), value);
        h.Idle(30000);
    }
    EXPECT_EQ(h.EnterRoom(member, user, 501).Result(), THallEnterRoomAnswer::Accepted);

    // Almost 200 s without one are allowed; the first sweep after 200 s drops the member, never the guest.
    h.Idle(server::THallServer::kSessionLost - 30000 - 1000);
    EXPECT_EQ(h.EnterRoom(member, user, 501).Result(), THallEnterRoomAnswer::Accepted);
    h.Idle(server::THallServer::kSweepInterval + 2000);
    EXPECT_EQ(h.EnterRoom(member, user, 501).Result(), THallEnterRoomAnswer::NotLoggedIn);
    EXPECT_FALSE(keepAlive());
    EXPECT_EQ(h.EnterRoom(guest, guestUser, 502).Result(), THallEnterRoomAnswer::Accepted);
}

TEST_F(HallServerTest, LogoutEndsOnlyTheNamedSession)
{
    auto& client = h.Client(9);
    const THallUserInfo user = h.LogIn(client, 10001, kDigest123456);
    THallLogout logout;
    logout.SetUserID(10001);
    logout.SetHallKey(user.HallKey() + 1);
    h.Send(client, kHallPort, logout);
    EXPECT_EQ(h.EnterRoom(client, user, 501).Result(), THallEnterRoomAnswer::Accepted);

    logout.SetHallKey(user.HallKey());
    h.Send(client, kHallPort, logout);
    EXPECT_EQ(h.EnterRoom(client, user, 501).Result(), THallEnterRoomAnswer::NotLoggedIn);
    EXPECT_EQ(h.online.Size(), 0u);
}

TEST(HallServerBoundTest, AFullSessionTableDropsTheOldestSession)
{
    TServerHarness h(kHarnessConfig, 2);
    auto& first = h.Client(9);
    auto& second = h.Client(10);
    auto& third = h.Client(11);
    const THallUserInfo a = h.LogIn(first, 10001, kDigest123456);
    const THallUserInfo b = h.LogIn(second, 0, "");
    const THallUserInfo c = h.LogIn(third, 10002, kDigest888888);
    EXPECT_EQ(h.online.Size(), 2u);
    EXPECT_EQ(h.EnterRoom(first, a, 501).Result(), THallEnterRoomAnswer::NotLoggedIn);
    EXPECT_EQ(h.EnterRoom(second, b, 501).Result(), THallEnterRoomAnswer::Accepted);
    EXPECT_EQ(h.EnterRoom(third, c, 501).Result(), THallEnterRoomAnswer::Accepted);
    // The dropped member may log in again without anyone being told to leave.
    h.LogIn(first, 10001, kDigest123456);
    EXPECT_TRUE(first.All<THallLoggedInElsewhere>().empty());
}

TEST_F(HallServerTest, BadInputIsDroppedAndTheServersKeepWorking)
{
    auto& client = h.Client(9);
    auto plain = [](int32_t code, size_t length) {
        std::vector<uint8_t> m(length, 0xA5);
        std::memcpy(m.data(), &kEnvelopeMagic, 4);
        std::memcpy(m.data() + 4, &code, 4);
        return m;
    };
    std::vector<uint8_t> wrongMagic = plain(THallProbe::kCode, 78);
    wrongMagic[0] ^= 1;
    for (uint16_t port : {kHallPort, uint16_t{20011}}) {
        SCOPED_TRACE(port);
        for (const auto& m : {plain(THallLogin::kCode, 20), plain(THallEnterRoom::kCode, 10), plain(THallRegister::kCode, 300),
                              plain(THallKeepAlive::kCode, 25), plain(TRoomInfoRequest::kCode, 91), plain(THallProbe::kCode, 8),
                              plain(12345, 64), plain(THallLoginAnswer::kCode, 900), wrongMagic, std::vector<uint8_t>{}})
            h.SendBytes(client, port, m);
        for (const auto& datagram : {std::vector<uint8_t>{1, 2, 3}, std::vector<uint8_t>(818, 0xFF), std::vector<uint8_t>(13, 0)})
            h.SendRaw(client, port, datagram);
    }
    // A web-game result is only logged.
    THallWebGameResult game;
    game.SetUserID(10001);
    game.SetGameName("GuessNumber");
    h.Send(client, kHallPort, game);
    EXPECT_TRUE(client.received.empty());

    const THallUserInfo user = h.LogIn(client, 10001, kDigest123456);
    EXPECT_EQ(h.RoomInfo(client, user, 501, 20011).ErrorText(), "");
}

} // namespace
