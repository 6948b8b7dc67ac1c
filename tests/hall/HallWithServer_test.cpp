// The hall session against a real vlkserver over loopback: the client runs on the manual clock,
// the server on its own, and the datagrams are real.
#include "hall/HallSession.h"

#include "base/ManualClock.h"
#include "hall/support/FakeHallView.h"
#include "shell/TextCipher.h"
#include "support/ServerProcess.h"
#include "support/TestDir.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

using namespace vlk;
using namespace vlk::test;

namespace {

std::string Config(const std::string& address, uint16_t httpPort)
{
    return R"({"listen": ")" + address + R"(", "httpPort": )" + std::to_string(httpPort) + R"(,
      "accounts": [{"number": 10001, "passwordMd5": ")" + Md5Hex("123456") + R"(", "nickname": "小明", "roomLimit": 3}],
      "rooms": [{"number": 501, "name": "音乐大厅", "line": 1},
                {"number": 502, "name": "K歌之王", "line": 2, "password": "8888"}]})";
}

// One client: its configuration, identity, window and session.
struct Client {
    TvlkChatCFG cfg;
    THallUserInfo user;
    TFakeHallView view;
    std::unique_ptr<THallSession> session;

    Client(const std::string& server, int32_t number, const std::string& password)
    {
        cfg.LoadGlobal();
        cfg.ServerAddresses = {inet_addr(server.c_str())};
        cfg.ServerCount = 1;
        user.SetUserID(number);
        user.SetPasswordDigest(Md5Hex(password));
        session = std::make_unique<THallSession>(cfg, user, view);
        session->BindAddress = inet_addr("127.0.0.1");
        session->Start();
    }
};

// The servers bind fixed ports, so every test has an address of its own (tests run in parallel).
template <int Host>
struct ServerAt : ::testing::Test {
    const std::string address = "127.0.0." + std::to_string(Host);
    ManualClock clock{100000};
    ClockScope scope{clock};
    TestDir dir;
    uint16_t httpPort = FreeTcpPort(address);
    TServerProcess server{dir.appPath() + "vlkserver.json", Config(address, httpPort), address, httpPort};

    // Advances the client's clock in drain ticks, giving the network real time, until done() or
    // `ms` of client time have passed.
    bool RunUntil(const std::function<bool()>& done, uint32_t ms = 5000)
    {
        for (uint32_t t = 0; t < ms; t += 100) {
            if (done())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            clock.Advance(100);
        }
        return done();
    }
};

struct HallWithServer : ServerAt<23> {};
struct HallWithGoneServer : ServerAt<24> {};

} // namespace

TEST_F(HallWithServer, LogInKeepAliveEnterAPasswordRoomAndBeThrownOutByASecondLogIn)
{
    ASSERT_TRUE(server.Ready());
    Client a(address, 10001, "123456");
    ASSERT_TRUE(RunUntil([&] { return !a.view.urls.empty(); }));
    EXPECT_TRUE(a.session->ServerFound());
    EXPECT_EQ(a.view.captions.at(2), "昵称：小明");
    EXPECT_NE(a.view.urls[0].find("/hall.html?UserID=10001&password=" + Md5Hex("123456") + "&IsHide=0"),
              std::string::npos);

    clock.Advance(THallSession::kKeepAliveInterval);   // a keep-alive goes out; the answer sets the session
    ASSERT_TRUE(RunUntil([&] { return a.user.SessionValue() != 0 || a.user.SessionWord() != 0; }));

    a.session->RequestRoom(502);
    ASSERT_TRUE(RunUntil([&] { return !a.view.passwordDialogs.empty(); }));
    a.view.passwordDialogs.back()("1234");
    ASSERT_TRUE(RunUntil([&] { return a.view.passwordDialogs.size() == 2; })) << "a wrong password asks again";
    a.view.passwordDialogs.back()("8888");
    ASSERT_TRUE(RunUntil([&] { return !a.view.opened.empty(); }));
    TRecord room(a.view.opened[0].roomInfo.data(), a.view.opened[0].roomInfo.size());
    EXPECT_EQ(room.i32(0), 502);
    EXPECT_EQ(room.text(4, 50), "K歌之王");
    EXPECT_EQ(room.u32(1240), inet_addr(address.c_str()));
    EXPECT_EQ(room.u16(1244), 20022);
    TRecord local(a.view.opened[0].localUser.data(), a.view.opened[0].localUser.size());
    EXPECT_EQ(local.i32(0), 10001);
    EXPECT_EQ(local.u32(4), a.user.HallKey());

    Client b(address, 10001, "123456");
    ASSERT_TRUE(RunUntil([&] { return !b.view.urls.empty() && !a.view.questions.empty(); }));
    EXPECT_EQ(a.view.questions[0].text, "用户在别处登录，被迫下线。是否重新登录？");
    EXPECT_TRUE(a.view.tabs.empty());
    EXPECT_TRUE(b.view.questions.empty());
}

TEST_F(HallWithGoneServer, WrongPasswordIsRefusedAndAGoneServerTimesOut)
{
    ASSERT_TRUE(server.Ready());
    {
        Client wrong(address, 10001, "654321");
        ASSERT_TRUE(RunUntil([&] { return !wrong.view.notices.empty(); }));
        EXPECT_EQ(wrong.view.notices[0].title, "登录");
        EXPECT_EQ(wrong.view.notices[0].text, "密码错误");
    }
    EXPECT_EQ(server.Stop(), 0) << "the server ends cleanly on SIGTERM";

    Client late(address, 10001, "123456");
    RunUntil([] { return false; }, 8900);
    EXPECT_TRUE(late.view.notices.empty());
    RunUntil([&] { return !late.view.notices.empty(); }, 300);
    ASSERT_EQ(late.view.notices.size(), 1u) << "the notice comes at 9 s";
    EXPECT_EQ(late.view.notices[0].text, "服务器连接超时！");
}
