// vlkserver as a child process hosting a room over loopback UDP: two members log in to the hall,
// fetch the room information on the line's port and enter from their room windows' own sockets;
// they see each other come, keep alive and go. The clients run on the manual clock, the server on
// its own, and the datagrams are real.
#include "base/ManualClock.h"
#include "hall/HallMessages.h"
#include "net/Encrypt.h"
#include "net/PackUdp.h"
#include "net/SignalSession.h"
#include "room/LocalUserInfo.h"
#include "room/SessionMessagesIn.h"
#include "room/SessionMessagesOut.h"
#include "shell/TextCipher.h"
#include "support/ServerProcess.h"
#include "support/TestDir.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <optional>
#include <thread>

using namespace vlk;
using namespace vlk::test;

namespace {

constexpr char kAddress[] = "127.0.0.41";

std::string Config(uint16_t httpPort)
{
    return std::string(R"({"listen": ")") + kAddress + R"(", "httpPort": )" + std::to_string(httpPort) + R"(,
      "accounts": [{"number": 10001, "passwordMd5": ")" + Md5Hex("123456") + R"(", "nickname": "小明"},
                   {"number": 10002, "passwordMd5": ")" + Md5Hex("123456") + R"(", "nickname": "小红", "hidden": true}],
      "rooms": [{"number": 501, "name": "音乐大厅", "line": 1, "owner": 10001}]})";
}

// One signalling endpoint on a real socket, as a hall or a room window has.
struct Endpoint {
    TPackUdp channel;
    TSignalSession session{channel, Cipher(), 1};
    std::vector<std::vector<uint8_t>> received;

    Endpoint()
    {
        channel.BindAddress = inet_addr("127.0.0.1");
        channel.SetActive(true);
        session.OnDispatch = [this](const std::vector<uint8_t>& m, uint32_t, uint16_t) { received.push_back(m); };
        session.Start();
    }
    void Send(uint16_t port, const TMessage& m) { session.SendCommand(inet_addr(kAddress), port, m.size(), m.data()); }
    template <class M>
    std::vector<M> All() const
    {
        std::vector<M> out;
        for (const auto& m : received)
            if (auto parsed = ParseAs<M>(m.data(), m.size()))
                out.push_back(*parsed);
        return out;
    }
};

struct RoomServerProcess : ::testing::Test {
    ManualClock clock{100000};
    ClockScope scope{clock};
    TestDir dir;
    uint16_t httpPort = FreeTcpPort(kAddress);
    TServerProcess server{dir.appPath() + "vlkserver.json", Config(httpPort), kAddress, httpPort};

    // Advances the clients' clock in drain ticks, giving the network real time, until done() or
    // `ms` of client time have passed.
    bool RunUntil(const std::function<bool()>& done, uint32_t ms = 5000)
    {
        for (uint32_t t = 0; t < ms; t += 10) {
            if (done())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            clock.Advance(10);
        }
        return done();
    }

    // Logs in at the hall and fetches the room information; the member's record for the room.
    std::optional<TLocalUserInfo> Admit(Endpoint& hall, int32_t number)
    {
        THallLogin login;
        login.SetUserID(number);
        login.SetPasswordDigest(Md5Hex("123456"));
        hall.Send(kHallPort, login);
        if (!RunUntil([&] { return !hall.All<THallLoginAnswer>().empty(); }))
            return std::nullopt;
        const THallUserInfo user = hall.All<THallLoginAnswer>().back().UserInfo();
        TRoomInfoRequest request;
        request.SetUserID(number);
        request.SetRoomID(501);
        request.SetHallKey(user.HallKey());
        hall.Send(20011, request);
        if (!RunUntil([&] { return !hall.All<TRoomInfoAnswer>().empty(); }))
            return std::nullopt;
        const auto answer = hall.All<TRoomInfoAnswer>().back();
        if (!answer.ErrorText().empty())
            return std::nullopt;
        return TLocalUserInfo::Parse(answer.LocalUserBytes().data(), TLocalUserInfo::kSize);
    }

    // Enters from the room window; the identity its later requests carry.
    std::optional<TRoomIdentity> Enter(Endpoint& window, const TLocalUserInfo& local)
    {
        window.Send(20011, TEnterRoom({local.UserNumber(), 501, local.HallKey(), {}}));
        if (!RunUntil([&] { return !window.All<TEnterAck>().empty() && !window.All<TUserListPage>().empty(); }))
            return std::nullopt;
        return TRoomIdentity{local.UserNumber(), 501, local.HallKey(), window.All<TEnterAck>().back().Tag()};
    }
};

} // namespace

TEST_F(RoomServerProcess, MembersEnterFromTheirRoomWindowsSeeEachOtherAndLeave)
{
    ASSERT_TRUE(server.Ready());
    Endpoint hallA, windowA, hallB, windowB;
    const auto localA = Admit(hallA, 10001);
    ASSERT_TRUE(localA);
    EXPECT_EQ(localA->RoomRole(), 5) << "the owner's role";
    const auto a = Enter(windowA, *localA);
    ASSERT_TRUE(a);
    EXPECT_NE(a->tag.value, 0u);

    const auto localB = Admit(hallB, 10002);
    ASSERT_TRUE(localB);
    const auto b = Enter(windowB, *localB);
    ASSERT_TRUE(b);
    const auto list = windowB.All<TUserListPage>().back().Users();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].UserNumber(), 10001);
    EXPECT_EQ(list[1].UserNumber(), 10002);
    ASSERT_TRUE(RunUntil([&] { return !windowA.All<TUserEntered>().empty(); }));
    EXPECT_EQ(windowA.All<TUserEntered>()[0].UserNumber(), 10002u);
    EXPECT_TRUE(windowA.All<TUserEntered>()[0].User().Hidden());

    windowB.Send(20011, TKeepAlive(*b));
    ASSERT_TRUE(RunUntil([&] { return !windowB.All<TKeepAliveAck>().empty(); }));
    EXPECT_EQ(windowB.All<TKeepAliveAck>()[0].Tag(), b->tag);

    windowB.Send(20011, TLeaveRoom(*b));
    ASSERT_TRUE(RunUntil([&] { return !windowA.All<TUserLeft>().empty(); }));
    EXPECT_EQ(windowA.All<TUserLeft>()[0].UserNumber(), 10002u);
    EXPECT_EQ(server.Stop(), 0);
}
