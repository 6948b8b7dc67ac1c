// The room session against a scripted room server over memory endpoints, on the manual clock: the
// messages go through the real channel, cipher and receive queue.
#include "room/RoomSession.h"

#include "base/ManualClock.h"
#include "net/Encrypt.h"
#include "net/support/MemoryUDP.h"
#include "room/MicMessagesOut.h"
#include "room/SessionMessagesIn.h"
#include "room/SessionMessagesOut.h"
#include "net/Envelope.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>

using namespace vlk;
using namespace vlk::test;

namespace {

const uint32_t kServer = inet_addr("127.0.0.7");
const uint32_t kClient = inet_addr("127.0.0.8");
constexpr uint16_t kClientPort = 5100;

struct TFakeRoomView : IRoomView {
    std::vector<std::string> exits;
    std::vector<std::string> lines;    // private HTML
    std::vector<std::string> system;   // "kind/screen text"
    std::vector<std::string> users;    // "+number" entering, "-number" leaving
    void ExitRoom(const std::string& reason) override { exits.push_back(reason); }
    void AddPrivateHTML(const std::string& html) override { lines.push_back(html); }
    void AddUserEnter(const TRoomUser& user) override { users.push_back("+" + std::to_string(user.UserNumber())); }
    void AddWeekStar(const std::string&) override {}
    void AddKingInRoom(int32_t, const std::string&, const std::string&) override {}
    void AddQueenInRoom(int32_t, const std::string&, const std::string&) override {}
    void AddUserLeft(int32_t number, const std::string&) override { users.push_back("-" + std::to_string(number)); }
    void AddSystem(int kind, int screen, const std::string& text) override
    {
        system.push_back(std::to_string(kind) + "/" + std::to_string(screen) + " " + text);
    }
    void SelectUser(int32_t, const std::string&) override {}
    void AskMicAddress(int32_t) override {}
    void ClearSeal(int32_t, int32_t) override {}
};

TRoomInfo Room(int16_t line)
{
    TRoomInfo room;
    room.setI32(0, 501);
    room.setText(4, 50, "音乐大厅");
    room.setI16(94, line);
    room.setText(96, 250, "公告<b>加粗</b>\r\n第二行");
    room.setText(347, 250, "  ");
    room.setText(1134, 100, "color:red");
    room.setU32(1240, kServer);
    return room;
}

struct RoomFixture : ::testing::Test {
    ManualClock clock{100000};
    ClockScope scope{clock};
    TFakeRoomView view;
    TMemoryUDP* endpoint = new TMemoryUDP;
    TRoomSession session{"/app/", 42, view, {}, std::unique_ptr<TUDP>(endpoint)};
    TMemoryChannel server;
    std::vector<std::vector<uint8_t>> atServer;   // plain messages, in arrival order

    RoomFixture()
    {
        server.channel.OnReceive = [this](uint32_t, uint16_t, const uint8_t* d, size_t n) {
            std::vector<uint8_t> plain(d, d + n);
            Cipher().Decrypt(plain, n);
            atServer.push_back(plain);
        };
        TLocalUserInfo me;
        me.setI32(0, 10001);
        me.SetNickname("小明");
        session.EnterRoom(me, Room(2));
        Pump();
    }
    void Pump()
    {
        while (!endpoint->sent.empty() || !server.endpoint->sent.empty()) {
            for (const auto& d : std::exchange(endpoint->sent, {}))
                server.Deliver(kClient, kClientPort, d.bytes);
            for (const auto& d : std::exchange(server.endpoint->sent, {}))
                endpoint->DoReadPack(kServer, 20022, d.bytes.size(), d.bytes.data());
        }
    }
    void Send(const TMessage& m)
    {
        std::vector<uint8_t> block(m.data(), m.data() + m.size());
        const size_t n = Cipher().Encrypt(block, block.size());
        server.channel.Send(kClient, kClientPort, true, n, block.data());
        Pump();
    }
    void Tick(int n = 1)
    {
        for (int i = 0; i < n; ++i)
            clock.Advance(TRoomSession::kQueueInterval);
        Pump();
    }
    std::vector<int32_t> Codes() const
    {
        std::vector<int32_t> codes;
        for (const auto& m : atServer)
            codes.push_back(CommandCode(m.data(), m.size()));
        return codes;
    }
    static TKeepAliveAck Ack(uint32_t value)
    {
        TKeepAliveAck ack;
        ack.SetTag({value, static_cast<uint16_t>(value)});
        return ack;
    }
};

} // namespace

TEST_F(RoomFixture, EnteringSendsTheEnterCommandToTheLinePort)
{
    EXPECT_EQ(session.ServerPort(), 20022);
    ASSERT_EQ(Codes(), std::vector<int32_t>{TEnterRoom::kCode});
    const auto enter = ParseAs<TEnterRoom>(atServer[0].data(), atServer[0].size());
    EXPECT_EQ(enter->UserNumber(), 10001);
    EXPECT_EQ(enter->RoomNumber(), 501);
    EXPECT_EQ(enter->ClientID(), 42u);
    EXPECT_EQ(enter->MacAddress().size(), 12u);
}

TEST(RoomSessionLine, LinesOutsideOneToThreeLeaveThePortAtZero)
{
    ManualClock clock{1000};
    ClockScope scope{clock};
    for (const auto& [line, port] : {std::pair<int16_t, uint16_t>{0, 0}, {1, 20011}, {3, 20033}, {4, 0}, {-1, 0}}) {
        TFakeRoomView view;
        TRoomSession session("/app/", 0, view, {}, std::make_unique<TMemoryUDP>());
        session.EnterRoom(TLocalUserInfo(), Room(line));
        EXPECT_EQ(session.ServerPort(), port) << line;
    }
}

TEST_F(RoomFixture, QueuedMessagesAreDispatchedOnePerTickInOrder)
{
    for (uint32_t i = 1; i <= 10; ++i)
        Send(Ack(i));
    EXPECT_EQ(session.QueueLength(), 10u);
    for (uint32_t i = 1; i <= 10; ++i) {
        Tick();
        EXPECT_EQ(session.Tag().value, i);
        EXPECT_EQ(session.QueueLength(), 10u - i);
    }
}

TEST_F(RoomFixture, CommandCodesOutsideTheRangeAreNeverQueued)
{
    for (int32_t code : {100000, -1}) {
        TKeepAliveAck bad = Ack(1);
        bad.setI32(4, code);
        Send(bad);
    }
    EXPECT_EQ(session.QueueLength(), 0u);
}

TEST_F(RoomFixture, KeepAliveEveryThousandAndOneTicksAndTheSilenceTimeOut)
{
    Send(Ack(7));
    Tick();
    atServer.clear();
    Tick(TRoomSession::kKeepAliveTicks - 1);   // 1000 ticks since entering
    EXPECT_TRUE(atServer.empty());
    Tick();
    ASSERT_EQ(Codes(), std::vector<int32_t>{TKeepAlive::kCode});
    const auto keepAlive = ParseAs<TKeepAlive>(atServer[0].data(), atServer[0].size());
    EXPECT_EQ(keepAlive->Tag().value, 7u);

    // Answered keep-alives keep the room; 300 s of silence closes it at the next keep-alive.
    Send(Ack(8));
    const int ticksToSilence = TRoomSession::kSilenceLimit / TRoomSession::kQueueInterval;
    Tick(ticksToSilence);
    EXPECT_TRUE(view.exits.empty());
    Tick(TRoomSession::kKeepAliveTicks + 1);
    ASSERT_EQ(view.exits, std::vector<std::string>{"因网络连接超时退出房间！"});
    Tick(3 * (TRoomSession::kKeepAliveTicks + 1));   // the timer stopped: no second exit
    EXPECT_EQ(view.exits.size(), 1u);
}

TEST_F(RoomFixture, EnterAcknowledgementTakesTheTagAndWritesTheRoomLines)
{
    TEnterAck ack;
    ack.SetTag({0xABCD, 9});
    Send(ack);
    Tick();
    EXPECT_EQ(session.Tag(), (TConnectionTag{0xABCD, 9}));
    // A blank welcome text gives no line; the notice loses its tags and everything after its
    // first line break.
    ASSERT_EQ(view.lines.size(), 1u);
    EXPECT_EQ(view.lines[0], "<img src=\"/app/Picture/Room/Node.gif\" /><font style=\"color:red\">公告加粗</font><br />");
}

TEST_F(RoomFixture, LeavingWhileHoldingAMicLeavesTheMicFirst)
{
    struct Case {
        uint8_t state;
        int panel;
        std::vector<int32_t> codes;
    };
    const Case cases[] = {
        {0, -1, {TLeaveRoom::kCode}},
        {1, 0, {TLeaveMic::kCode, TLeaveRoom::kCode}},
        {3, -1, {TLeaveMic::kCode, TLeaveRoom::kCode}},   // a private mic
    };
    for (const Case& c : cases) {
        TFakeRoomView view;
        std::vector<int32_t> codes;
        TMemoryChannel peer;
        peer.channel.OnReceive = [&](uint32_t, uint16_t, const uint8_t* d, size_t n) {
            std::vector<uint8_t> plain(d, d + n);
            Cipher().Decrypt(plain, n);
            codes.push_back(CommandCode(plain.data(), plain.size()));
        };
        auto* ep = new TMemoryUDP;
        TRoomSession room("/app/", 0, view, {}, std::unique_ptr<TUDP>(ep));
        room.EnterRoom(TLocalUserInfo(), Room(1));
        room.SetMyMic(c.state, c.panel);
        room.Leave();
        room.Leave();   // once only
        for (const auto& d : ep->sent)
            peer.Deliver(kClient, kClientPort, d.bytes);
        codes.erase(codes.begin());   // the enter command
        EXPECT_EQ(codes, c.codes) << int(c.state);
    }
}

TEST_F(RoomFixture, UnansweredRequestsExpireAfterTenSecondsAndAnswersRemoveThem)
{
    session.OverTime().Register(roomcmd::kUserInformation, 5);
    session.OverTime().Register(roomcmd::kUserInformation, 6);
    TRecord answer(TRoomHeader::kSize + 4);   // 19002 for user 6: the tag at offset 20
    answer.setI32(0, kEnvelopeMagic);
    answer.setI32(4, roomcmd::kUserInformationAnswer);
    answer.setI32(20, 6);
    Send(TMessage(answer.data(), answer.size()));
    Tick();
    EXPECT_EQ(session.OverTime().Count(), 1);
    Tick(TEventOverTime::kTimeout / TRoomSession::kQueueInterval);
    EXPECT_EQ(view.system, std::vector<std::string>{"2/0 网络超时!查看用户(5)信息失败!请稍候再试!"});
    EXPECT_EQ(session.OverTime().Count(), 0);
}

TEST_F(RoomFixture, UsersComeAndGoAndMessagesAboutAbsentUsersDoNothing)
{
    TRoomUser a, b;
    a.setI32(0, 20001);
    a.SetNickname("甲");
    b.setI32(0, 20002);
    b.SetNickname("乙");
    Send(TUserListPage({a}));
    Tick();
    TUserEntered entered;
    entered.SetUserNumber(20002);
    entered.SetUser(b);
    Send(entered);
    Tick();
    ASSERT_EQ(session.Users().Count(), 2);

    TUserLeft absent;
    absent.SetUserNumber(30000);
    Send(absent);
    TUserLeft gone;
    gone.SetUserNumber(20001);
    Send(gone);
    Tick(2);
    EXPECT_EQ(session.Users().Count(), 1);
    EXPECT_TRUE(session.Users().PresentUser(20002));
    EXPECT_EQ(view.users.back(), "-20001");
}
