// The hall session against a scripted server over memory endpoints, on the manual clock: the
// messages go through the real channel, cipher and receive queue.
#include "hall/HallSession.h"

#include "base/DateTime.h"
#include "base/ManualClock.h"
#include "hall/HallLinks.h"
#include "hall/support/FakeHallView.h"
#include "net/Encrypt.h"
#include "net/support/MemoryUDP.h"
#include "shell/LoginInfo.h"
#include "shell/NetHelpers.h"
#include "support/TestDir.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>

using namespace vlk;
using namespace vlk::test;

namespace {

const uint32_t kServerA = inet_addr("127.0.0.1");
const uint32_t kServerB = inet_addr("127.0.0.2");
const uint32_t kClient = inet_addr("127.0.0.9");
constexpr uint16_t kClientPort = 5000;
const std::string kDigest = "0123456789abcdef0123456789abcdef";

struct Received {
    uint32_t to;
    uint16_t port;
    std::vector<uint8_t> plain;
    int32_t Code() const { return CommandCode(plain.data(), plain.size()); }
};

struct HallFixture : ::testing::Test {
    ManualClock clock{100000};
    ClockScope scope{clock};
    TestDir dir;
    TvlkChatCFG cfg;
    THallUserInfo user;
    TFakeHallView view;
    TMemoryUDP* clientEndpoint = new TMemoryUDP;
    std::unique_ptr<THallSession> session;
    TMemoryChannel server;
    std::vector<Received> atServer;
    uint32_t lastTo = 0;
    uint16_t lastPort = 0;

    HallFixture()
    {
        cfg.LoadGlobal();
        cfg.ServerAddresses = {kServerA, kServerB};
        cfg.ServerCount = 2;
        user.SetUserID(10001);
        user.SetPasswordDigest(kDigest);
        session = std::make_unique<THallSession>(cfg, user, view, std::unique_ptr<TUDP>(clientEndpoint));
        session->DateTimeNow = [] { return 46000.5; };
        server.channel.OnReceive = [this](uint32_t, uint16_t, const uint8_t* d, size_t n) {
            std::vector<uint8_t> plain(d, d + n);
            Cipher().Decrypt(plain, n);
            atServer.push_back({lastTo, lastPort, plain});
        };
    }
    ~HallFixture() override { session.reset(); }

    // Carries datagrams both ways; the server answers as `from`.
    void Pump(uint32_t from = kServerA, uint16_t fromPort = kHallPort)
    {
        while (!clientEndpoint->sent.empty() || !server.endpoint->sent.empty()) {
            for (const auto& d : std::exchange(clientEndpoint->sent, {})) {
                lastTo = d.address;
                lastPort = d.port;
                server.Deliver(kClient, kClientPort, d.bytes);
            }
            for (const auto& d : std::exchange(server.endpoint->sent, {}))
                clientEndpoint->DoReadPack(from, fromPort, d.bytes.size(), d.bytes.data());
        }
    }
    // Lets the client's drain timer take everything queued.
    void Settle(uint32_t from = kServerA, uint16_t fromPort = kHallPort)
    {
        for (int i = 0; i < 20; ++i) {
            Pump(from, fromPort);
            clock.Advance(THallSession::kDrainInterval);
        }
        Pump(from, fromPort);
    }
    void Reply(const TMessage& m, uint32_t from = kServerA, uint16_t fromPort = kHallPort)
    {
        std::vector<uint8_t> block(m.data(), m.data() + m.size());
        const size_t n = Cipher().Encrypt(block, block.size());
        server.channel.Send(kClient, kClientPort, true, n, block.data());
        Settle(from, fromPort);
    }
    std::vector<Received> Sent(int32_t code) const
    {
        std::vector<Received> out;
        for (const auto& r : atServer)
            if (r.Code() == code)
                out.push_back(r);
        return out;
    }
    THallLoginAnswer LoginAnswer(int32_t userId, const std::string& digest)
    {
        THallLoginAnswer answer("坏话|脏话");
        answer.SetMediaValue(7);
        answer.SetHallPageURL(" http://127.0.0.1:8080/hall.html ");
        answer.SetSecondURL(" http://127.0.0.1:8080/second ");
        THallUserInfo info;
        info.SetUserID(userId);
        info.SetPasswordDigest(digest);
        info.SetNickname(" 小明 ");
        info.SetHidden(1);
        info.SetRoomLimit(2);
        info.SetHallKey(77);
        answer.SetUserInfo(info);
        return answer;
    }
    // Probe answered by server A and log-in accepted.
    void LogIn(int32_t userId = 10001, const std::string& digest = kDigest)
    {
        session->Start();
        Settle();
        Reply(THallProbeAnswer());
        Reply(LoginAnswer(userId, digest));
        atServer.clear();
    }
    TRoomInfoAnswer RoomAnswer(int32_t room, const std::string& error = {})
    {
        TRoomInfoAnswer answer;
        answer.SetRoomID(room);
        answer.SetErrorText(error);
        TRecord info(TRoomInfoAnswer::kRoomInfoSize);
        info.setI32(0, room);
        info.setText(4, 50, "音乐大厅");
        info.setText(1134, 100, "  color:red  ");
        answer.SetRoomInfoBytes(info.raw(0, info.size()));
        TRecord local(TRoomInfoAnswer::kLocalUserSize);
        local.setI32(0, 10001);
        answer.SetLocalUserBytes(local.raw(0, local.size()));
        answer.SetServerAddress(kServerB);
        answer.SetServerPort(20022);
        return answer;
    }
};

} // namespace

TEST_F(HallFixture, ProbesThreeRoundsThenTimesOutAndRestarts)
{
    session->Start();
    Pump();
    for (uint32_t round = 1; round <= 3; ++round) {
        const auto probes = Sent(THallProbe::kCode);
        ASSERT_EQ(probes.size(), 2 * round);
        EXPECT_EQ(probes[2 * round - 2].to, kServerA);
        EXPECT_EQ(probes[2 * round - 1].to, kServerB);
        EXPECT_EQ(probes.back().port, kHallPort);
        EXPECT_EQ(ParseAs<THallProbe>(probes.back().plain.data(), probes.back().plain.size())->UserID(), 10001);
        EXPECT_TRUE(view.notices.empty());
        clock.Advance(3000);
        Pump();
    }
    EXPECT_EQ(Sent(THallProbe::kCode).size(), 6u);
    ASSERT_EQ(view.notices.size(), 1u) << "the notice comes at 9 s";
    EXPECT_EQ(view.notices[0].title, "登录");
    EXPECT_EQ(view.notices[0].text, "服务器连接超时！");
    EXPECT_EQ(view.statuses.front(), "获取服务器信息中");
    view.notices[0].onClose();
    EXPECT_EQ(view.restarts, 1);
}

TEST_F(HallFixture, OnlyTheFirstProbeAnswerIsUsed)
{
    session->Start();
    Settle();
    Reply(THallProbeAnswer(), kServerB, 23456);
    Reply(THallProbeAnswer(), kServerA, 23456);
    const auto logins = Sent(THallLogin::kCode);
    ASSERT_EQ(logins.size(), 1u);
    EXPECT_EQ(logins[0].to, kServerB);
    EXPECT_EQ(session->CurrentServer(), kServerB);
    const auto login = ParseAs<THallLogin>(logins[0].plain.data(), logins[0].plain.size());
    EXPECT_EQ(login->UserID(), 10001);
    EXPECT_EQ(login->PasswordDigest(), kDigest);
    EXPECT_EQ(login->MacAddress(), GetMacAddress());
    clock.Advance(9000);
    Settle();
    EXPECT_TRUE(view.notices.empty()) << "no time-out once a server answered";
}

TEST_F(HallFixture, LogInSetsTheSessionUpAndOpensTheHallPage)
{
    LogIn();
    EXPECT_EQ(view.captions, (std::vector<std::string>{"2012 小明(10001)", "2012(小明)", "昵称：小明"}));
    ASSERT_EQ(view.urls.size(), 1u);
    EXPECT_EQ(view.urls[0], "http://127.0.0.1:8080/hall.html?UserID=10001&password=" + kDigest + "&IsHide=1");
    EXPECT_EQ(cfg.MediaValue, 7);
    EXPECT_EQ(cfg.ChatFilter, "坏话|脏话");
    EXPECT_EQ(cfg.SecondHallURL, "http://127.0.0.1:8080/second");
    EXPECT_EQ(user.HallKey(), 77u);
    EXPECT_TRUE(user.CameraPresent());
    EXPECT_EQ(view.catalogueLoads, 1);
    EXPECT_EQ(ReadLoginIDs(cfg.AppPath), (std::vector<std::string>{"10001"}));
}

TEST_F(HallFixture, LogInErrorIsShownAndRestarts)
{
    session->Start();
    Settle();
    Reply(THallProbeAnswer());
    THallLoginAnswer answer("");
    answer.SetErrorText(" <密码错误> \r\n详情");
    Reply(answer);
    ASSERT_EQ(view.notices.size(), 1u);
    EXPECT_EQ(view.notices[0].title, "登录");
    EXPECT_EQ(view.notices[0].text, "密码错误");
    EXPECT_TRUE(view.urls.empty());
    EXPECT_TRUE(ReadLoginIDs(cfg.AppPath).empty());
    view.notices[0].onClose();
    EXPECT_EQ(view.restarts, 1);
}

TEST_F(HallFixture, GuestSendsNoKeepAliveAndNeverTimesOut)
{
    user = THallUserInfo();
    LogIn(0, "");
    EXPECT_EQ(view.captions[0], "2012 游客");
    EXPECT_EQ(view.captions[1], "2012(游客)");
    EXPECT_EQ(view.urls.at(0), "http://127.0.0.1:8080/hall.html?UserID=0&password=0&IsHide=1");
    for (int i = 0; i < 10; ++i) {
        clock.Advance(30000);
        Settle();
    }
    EXPECT_TRUE(Sent(THallKeepAlive::kCode).empty());
    EXPECT_TRUE(view.questions.empty());
}

TEST_F(HallFixture, KeepAliveEveryThirtySecondsAndTheSessionIsLostAfter200s)
{
    LogIn();
    clock.Advance(30000);
    Settle();
    auto keepAlives = Sent(THallKeepAlive::kCode);
    ASSERT_EQ(keepAlives.size(), 1u);
    THallKeepAliveAnswer answer;
    answer.SetSessionValue(0xABCDEF);
    answer.SetSessionWord(0x1234);
    Reply(answer);
    EXPECT_EQ(user.SessionValue(), 0xABCDEFu);
    clock.Advance(30000);
    Settle();
    keepAlives = Sent(THallKeepAlive::kCode);
    ASSERT_EQ(keepAlives.size(), 2u);
    const auto sent = ParseAs<THallKeepAlive>(keepAlives[1].plain.data(), keepAlives[1].plain.size());
    EXPECT_EQ(sent->SessionValue(), 0xABCDEFu);
    EXPECT_EQ(sent->SessionWord(), 0x1234);

    view.tabs = {501, 502};
    for (int i = 0; i < 7 && view.questions.empty(); ++i) {
        clock.Advance(30000);
        Settle();
    }
    ASSERT_EQ(view.questions.size(), 1u);
    EXPECT_EQ(view.questions[0].text, "网络连接超时，是否重新登录？");
    EXPECT_TRUE(view.tabs.empty());
    view.questions[0].answer(false);
    EXPECT_EQ(view.closes, 1);
    const size_t before = Sent(THallKeepAlive::kCode).size();
    clock.Advance(60000);
    Settle();
    EXPECT_EQ(Sent(THallKeepAlive::kCode).size(), before) << "keep-alive stopped";
}

TEST_F(HallFixture, LoggedInElsewhereOnlyForOurNumber)
{
    LogIn();
    THallLoggedInElsewhere other;
    other.SetUserID(999);
    Reply(other);
    EXPECT_TRUE(view.questions.empty());
    view.tabs = {7};
    THallLoggedInElsewhere ours;
    ours.SetUserID(10001);
    Reply(ours);
    ASSERT_EQ(view.questions.size(), 1u);
    EXPECT_EQ(view.questions[0].text, "用户在别处登录，被迫下线。是否重新登录？");
    EXPECT_TRUE(view.tabs.empty());
    view.questions[0].answer(true);
    EXPECT_EQ(view.restarts, 1);
}

TEST_F(HallFixture, EnteringARoomWithItsPassword)
{
    LogIn();
    session->SetLinkChoice(3);
    session->RequestRoom(501);
    session->RequestRoom(502);
    ASSERT_EQ(view.notices.size(), 1u);
    EXPECT_EQ(view.notices[0].text, "进入房间过快，请稍后再试！");
    Settle();
    const auto enter = Sent(THallEnterRoom::kCode);
    ASSERT_EQ(enter.size(), 1u);
    EXPECT_EQ(ParseAs<THallEnterRoom>(enter[0].plain.data(), enter[0].plain.size())->RoomID(), 501);
    EXPECT_EQ(ParseAs<THallEnterRoom>(enter[0].plain.data(), enter[0].plain.size())->HallKey(), 77u);

    THallEnterRoomAnswer accepted;
    accepted.SetRoomID(501);
    accepted.SetLine(2);
    Reply(accepted);
    auto requests = Sent(TRoomInfoRequest::kCode);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].to, kServerA);
    EXPECT_EQ(requests[0].port, 20022);
    auto request = ParseAs<TRoomInfoRequest>(requests[0].plain.data(), requests[0].plain.size());
    EXPECT_EQ(request->RoomPassword(), "");
    EXPECT_EQ(request->LinkChoice(), 3);
    EXPECT_EQ(request->TargetPort(), 20022);
    EXPECT_EQ(request->CameraPresent(), 1);

    Reply(RoomAnswer(501, " 房间密码错误 "));
    ASSERT_EQ(view.passwordDialogs.size(), 1u);
    EXPECT_TRUE(view.opened.empty());
    view.passwordDialogs[0]("秘密");
    Settle();
    requests = Sent(TRoomInfoRequest::kCode);
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].to, kServerB) << "the retry goes to the room server named in the answer";
    request = ParseAs<TRoomInfoRequest>(requests[1].plain.data(), requests[1].plain.size());
    EXPECT_EQ(request->RoomPassword(), "秘密");

    Reply(RoomAnswer(501));
    ASSERT_EQ(view.opened.size(), 1u);
    TRecord room(view.opened[0].roomInfo.data(), view.opened[0].roomInfo.size());
    EXPECT_EQ(room.text(1134, 100), "color:red");
    EXPECT_EQ(room.u32(1240), kServerB);
    EXPECT_EQ(room.u16(1244), 20022);
    EXPECT_FALSE(view.statusVisible);

    Reply(RoomAnswer(501));
    EXPECT_EQ(view.opened.size(), 1u) << "a room already in a tab is not opened twice";
    clock.Advance(2000);
    session->RequestRoom(501);
    EXPECT_EQ(view.activeTab, 501);
    EXPECT_EQ(Sent(THallEnterRoom::kCode).size(), 1u);
}

TEST_F(HallFixture, EnterResultsAndLimits)
{
    LogIn();
    const char* texts[] = {"房间不存在！", "房间服务器关闭！", "用户未登陆大厅！", "您的号码只能进人气房间！"};
    for (int result = 1; result <= 4; ++result) {
        THallEnterRoomAnswer refused;
        refused.SetResult(result);
        Reply(refused);
        EXPECT_EQ(view.notices.back().title, "进入房间");
        EXPECT_EQ(view.notices.back().text, texts[result - 1]);
    }
    THallEnterRoomAnswer lineFour;
    lineFour.SetLine(4);
    Reply(lineFour);
    EXPECT_TRUE(Sent(TRoomInfoRequest::kCode).empty());

    view.tabs = {1, 2};   // the limit is two rooms
    clock.Advance(2000);
    session->RequestRoom(3);
    ASSERT_FALSE(view.notices.empty());
    EXPECT_EQ(view.notices.back().text, "您不能进入更多房间, 请先退出一个房间!");
    view.activeTab = 2;
    session->GoToRoom(3);
    ASSERT_EQ(view.questions.size(), 1u);
    EXPECT_EQ(view.questions[0].text, "您不能进入更多房间，是否退出当前房间？");
    view.questions[0].answer(true);
    Settle();
    EXPECT_EQ(view.tabs, (std::set<int32_t>{1}));
    EXPECT_EQ(Sent(THallEnterRoom::kCode).size(), 1u);
}

TEST_F(HallFixture, SharedDataStarsKingAndQueen)
{
    LogIn();
    Reply(THallWeekStars({{10001, 5}, {10002, 6}}));
    Reply(THallMonthStars({{10003, 7}}));
    EXPECT_EQ(session->WeekStars(), (std::vector<TStarPair>{{10001, 5}, {10002, 6}}));
    EXPECT_EQ(session->MonthStars().size(), 1u);

    THallKingQueen kq;
    kq.SetServerTime(46000.5 - 90.0 / kSecondsPerDay);   // the server's clock is 90 s behind
    TRecord record(96);
    record.setI32(0, 10001);
    record.setI32(36, 10002);
    record.setDatetime(80, 46001.0);
    record.setDatetime(88, 46002.0);
    kq.SetRecord(record.raw(0, 96));
    Reply(kq);
    TRecord shifted(session->KingQueen().data(), 96);
    EXPECT_NEAR(shifted.datetime(80), 46001.0 + 90.0 / kSecondsPerDay, 1e-9);
    EXPECT_NEAR(shifted.datetime(88), 46002.0 + 90.0 / kSecondsPerDay, 1e-9);
    EXPECT_EQ(shifted.i32(36), 10002);
    EXPECT_EQ(view.kingQueenTimes.size(), 1u);

    THallKingQueenRights rights;
    rights.SetKingRights(std::string(368, 'K'));
    rights.SetQueenRights(std::string(368, 'Q'));
    Reply(rights);
    EXPECT_EQ(session->KingRights(), std::string(368, 'K'));
    EXPECT_EQ(session->QueenRights(), std::string(368, 'Q'));

    session->SendWebGameResult("连连看", 3, 4);
    Settle();
    const auto games = Sent(THallWebGameResult::kCode);
    ASSERT_EQ(games.size(), 1u);
    const auto game = ParseAs<THallWebGameResult>(games[0].plain.data(), games[0].plain.size());
    EXPECT_EQ(game->GameName(), "连连看");
    EXPECT_EQ(game->Nickname(), " 小明 ");
    EXPECT_EQ(game->SecondValue(), 4);
}

TEST_F(HallFixture, FollowingHallLinks)
{
    LogIn();
    struct Case {
        const char* address;
        int32_t enteredRoom;   // 0: none
        bool gameSent;
        bool gameCenter;
    };
    const Case cases[] = {
        {"vlkroomid:1234,2", 1234, false, false},
        {"vlkroomid:1234", 0, false, false},
        {"VLKROOMID:5,0", 5, false, false},
        {"webgame:猜数字|10001|3|4", 0, true, false},
        {"webgame:猜数字|10002|3|4", 0, false, false},   // another member's result
        {"gamecenter:", 0, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        atServer.clear();
        bool gameCenter = false;
        FollowHallLink(*ParseHallLink(c.address), *session, 10001, [&] { gameCenter = true; });
        Settle();
        const auto entered = Sent(THallEnterRoom::kCode);
        ASSERT_EQ(entered.size(), c.enteredRoom ? 1u : 0u);
        if (c.enteredRoom) {
            EXPECT_EQ(ParseAs<THallEnterRoom>(entered[0].plain.data(), entered[0].plain.size())->RoomID(), c.enteredRoom);
        }
        EXPECT_EQ(Sent(THallWebGameResult::kCode).size(), c.gameSent ? 1u : 0u);
        EXPECT_EQ(gameCenter, c.gameCenter);
        clock.Advance(THallSession::kEnterThrottle);
    }
}

TEST_F(HallFixture, ClosingLogsOutOnce)
{
    LogIn();
    session->Close();
    Pump();
    session->Close();
    Pump();
    EXPECT_EQ(Sent(THallLogout::kCode).size(), 1u);
}

TEST_F(HallFixture, TruncatedAndForeignMessagesAreIgnored)
{
    LogIn();
    const THallLoginAnswer login("");
    const THallWeekStars stars({{1, 2}});
    const std::vector<std::vector<uint8_t>> junk = {
        {},
        {1, 2, 3},
        std::vector<uint8_t>(login.data(), login.data() + 100),
        std::vector<uint8_t>(stars.data(), stars.data() + 20),
    };
    for (const auto& m : junk)
        session->Dispatch(m);
    THallWeekStars lying({{1, 2}});
    lying.setI32(8, 1000000);
    session->Dispatch(std::vector<uint8_t>(lying.data(), lying.data() + lying.size()));
    EXPECT_TRUE(session->WeekStars().empty());
    EXPECT_EQ(view.urls.size(), 1u);
}
