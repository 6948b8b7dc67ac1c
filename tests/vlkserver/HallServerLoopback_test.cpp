// The client's hall session against vlkserver's hall and room-information servers over real
// loopback UDP, on the server's poll loop: probe, log-in, the password room handshake, and the
// second log-in that throws the first client out.
#include "HallServer.h"
#include "RoomInfoServer.h"

#include "base/PollLoop.h"
#include "hall/HallSession.h"
#include "hall/support/FakeHallView.h"
#include "room/RoomInfo.h"
#include "support/TestDir.h"
#include "vlkserver/support/ServerHarness.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>

#include <functional>

using namespace vlk;
using namespace vlk::test;

namespace {

// Servers bind their fixed ports, so this test has an address of its own.
constexpr char kConfig[] = R"({
  "listen": "127.0.0.61", "httpPort": 8061,
  "accounts": [{"number": 10001, "passwordMd5": "e10adc3949ba59abbe56e057f20f883e", "nickname": "小明"}],
  "rooms": [{"number": 502, "name": "K歌之王", "line": 2, "password": "8888", "welcome": "欢迎来到K歌之王"}]
})";

struct Client {
    TvlkChatCFG cfg;
    THallUserInfo user;
    TFakeHallView view;
    std::unique_ptr<THallSession> session;

    explicit Client(uint32_t server)
    {
        cfg.LoadGlobal();
        cfg.ServerAddresses = {server};
        cfg.ServerCount = 1;
        user.SetUserID(10001);
        user.SetPasswordDigest(kDigest123456);
        session = std::make_unique<THallSession>(cfg, user, view);
        session->BindAddress = inet_addr("127.0.0.62");
    }
};

struct HallServerLoopbackTest : ::testing::Test {
    TestDir dir;
    PollLoop loop;
    ClockScope scope{loop};
    server::TServerConfig config = server::ParseServerConfig(kConfig);
    server::TAccountBook accounts{config.Accounts};
    server::TOnlineUsers online;
    server::THallServer hall{config, accounts, online};
    server::TRoomInfoServer line2{config, 2, online};

    HallServerLoopbackTest()
    {
        hall.Start();
        line2.Start();
    }
    // Runs the loop until done() holds, at most 10 s.
    bool RunUntil(const std::function<bool()>& done)
    {
        for (int waited = 0; waited < 10000 && !done(); waited += 10)
            loop.RunFor(10);
        return done();
    }
};

TEST_F(HallServerLoopbackTest, ClientLogsInEntersThePasswordRoomAndIsThrownOutByASecondLogin)
{
    Client first(config.ListenAddress);
    first.session->Start();
    ASSERT_TRUE(RunUntil([&] { return !first.view.urls.empty(); }));
    EXPECT_EQ(first.session->CurrentServer(), config.ListenAddress);
    EXPECT_EQ(first.view.urls[0], std::string("http://127.0.0.61:8061/hall.html?UserID=10001&password=") + kDigest123456
                                      + "&IsHide=0");
    EXPECT_NE(first.user.HallKey(), 0u);
    EXPECT_EQ(first.user.Nickname(), "小明");

    first.session->GoToRoom(502);   // unlike a link click, not held back for 2 s after the log-in
    ASSERT_TRUE(RunUntil([&] { return !first.view.passwordDialogs.empty(); }));
    first.view.passwordDialogs[0]("8888");
    ASSERT_TRUE(RunUntil([&] { return !first.view.opened.empty(); }));
    const auto room = TRoomInfo::Parse(first.view.opened[0].roomInfo.data(), TRoomInfo::kSize).value();
    EXPECT_EQ(room.RoomNumber(), 502);
    EXPECT_EQ(room.WelcomeText(), "欢迎来到K歌之王");
    EXPECT_EQ(room.ServerAddress(), config.ListenAddress);
    EXPECT_TRUE(first.view.notices.empty());

    Client second(config.ListenAddress);
    second.session->Start();
    ASSERT_TRUE(RunUntil([&] { return !first.view.questions.empty() && !second.view.urls.empty(); }));
    EXPECT_EQ(first.view.questions[0].text, halltext::kLoggedInElsewhere);
    EXPECT_TRUE(second.view.questions.empty());
}

} // namespace
