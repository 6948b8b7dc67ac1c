// The room servers as room windows see them: entering with the room information's admission, the
// user list, comings and goings, keep-alives, leaving and being dropped, over memory endpoints on
// the manual clock.
#include "vlkserver/support/ServerHarness.h"

#include "room/AdminMessagesIn.h"
#include "room/RoomInfo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>

using namespace vlk;
using namespace vlk::test;
using server::TRoomServer;

namespace {

// 10001 owns 501 and 10002 is its admin; 10002 owns 504; 10003 logs in hidden. 503 holds two users.
constexpr char kRoomConfig[] = R"({
  "listen": "127.0.0.1",
  "accounts": [
    {"number": 10001, "passwordMd5": "e10adc3949ba59abbe56e057f20f883e", "nickname": "小明"},
    {"number": 10002, "passwordMd5": "e10adc3949ba59abbe56e057f20f883e", "nickname": "小红"},
    {"number": 10003, "passwordMd5": "e10adc3949ba59abbe56e057f20f883e", "nickname": "阿强", "hidden": true},
    {"number": 10004, "passwordMd5": "e10adc3949ba59abbe56e057f20f883e", "nickname": "老王", "coins": 70, "points": 9}
  ],
  "rooms": [
    {"number": 501, "name": "音乐大厅", "line": 1, "owner": 10001, "admins": [10002], "maxUsers": 300},
    {"number": 502, "name": "K歌之王", "line": 2, "password": "8888"},
    {"number": 503, "name": "小屋", "line": 1, "maxUsers": 2},
    {"number": 504, "name": "夜色温柔", "line": 3, "owner": 10002}
  ]
})";

using TClient = TServerHarness::TClient;

// One member's hall and room window (on ports 5000 and 6000 of its own host), and what the room
// window's requests carry once it has entered.
struct Member {
    TClient* hall;
    TClient* window;
    THallUserInfo user;
    TRoomIdentity id;
};

struct RoomServerTest : ::testing::Test {
    TServerHarness h{kRoomConfig};

    // number 0 logs in as a guest.
    Member LogIn(uint8_t host, int32_t number)
    {
        Member m{&h.Client(host, 5000), &h.Client(host, 6000), {}, {}};
        m.user = h.LogIn(*m.hall, number, number == 0 ? "" : kDigest123456);
        return m;
    }

    bool Enter(Member& m, int32_t room, const std::string& password = {})
    {
        const auto id = h.Enter(*m.hall, *m.window, m.user, room, password);
        if (id)
            m.id = *id;
        return id.has_value();
    }

    // Sends the message from `from` to the room's line; what reached `from` in return.
    std::vector<std::vector<uint8_t>> Exchange(TClient& from, int32_t room, const TMessage& message)
    {
        const size_t before = from.received.size();
        h.Send(from, h.LinePort(room), message);
        return {from.received.begin() + static_cast<std::ptrdiff_t>(before), from.received.end()};
    }

    // Whether a keep-alive with the identity, sent from `from`, is answered there.
    bool KeepAlive(TClient& from, const TRoomIdentity& id)
    {
        const auto answers = Exchange(from, id.room, TKeepAlive(id));
        return answers.size() == 1 && ParseAs<TKeepAliveAck>(answers[0].data(), answers[0].size());
    }
    bool KeepAlive(Member& m) { return KeepAlive(*m.window, m.id); }
};

std::vector<TRoomUser> ListedUsers(const TClient& window)
{
    std::vector<TRoomUser> users;
    for (const auto& page : window.All<TUserListPage>())
        for (const auto& u : page.Users())
            users.push_back(u);
    return users;
}

std::vector<int32_t> Numbers(const std::vector<TRoomUser>& users)
{
    std::vector<int32_t> numbers;
    for (const auto& u : users)
        numbers.push_back(u.UserNumber());
    return numbers;
}

template <class M>
std::vector<uint32_t> Named(const TClient& client)
{
    std::vector<uint32_t> numbers;
    for (const auto& m : client.All<M>())
        numbers.push_back(m.UserNumber());
    return numbers;
}

TEST_F(RoomServerTest, EnteringGetsTheTagThenTheListAndTheOthersAreTold)
{
    Member a = LogIn(9, 10004);
    Member b = LogIn(10, 10002);
    ASSERT_TRUE(Enter(a, 501));
    EXPECT_EQ(a.window->Codes(), (std::vector<int32_t>{TEnterAck::kCode, TUserListPage::kCode}));
    EXPECT_NE(a.id.tag.value, 0u);
    const auto ack = a.window->Last<TEnterAck>().value();
    EXPECT_EQ(ack.LuxuryCount(), 0);
    const auto firstList = a.window->Last<TUserListPage>().value();
    EXPECT_DOUBLE_EQ(firstList.ServerTime(), 46000.5);
    EXPECT_EQ(Numbers(firstList.Users()), std::vector<int32_t>{10004});

    ASSERT_TRUE(Enter(b, 501));
    EXPECT_EQ(b.window->Codes(), (std::vector<int32_t>{TEnterAck::kCode, TUserListPage::kCode}));
    EXPECT_NE(b.id.tag, a.id.tag);
    EXPECT_EQ(Numbers(ListedUsers(*b.window)), (std::vector<int32_t>{10002, 10004}));
    // The one already there hears of the newcomer once, with the record the list carries.
    EXPECT_EQ(a.window->Codes(), (std::vector<int32_t>{TEnterAck::kCode, TUserListPage::kCode, TUserEntered::kCode}));
    const auto entered = a.window->Last<TUserEntered>().value();
    EXPECT_EQ(entered.UserNumber(), 10002u);
    EXPECT_EQ(entered.User().bytes(), ListedUsers(*b.window)[0].bytes());
    EXPECT_EQ(entered.User().Nickname(), "小红");
    // The halls get nothing from the room server but the room information.
    EXPECT_EQ(a.hall->Last<TRoomInfoAnswer>()->ErrorText(), "");
    EXPECT_TRUE(a.hall->All<TUserEntered>().empty());
}

struct RecordCase {
    const char* name;
    int32_t number;   // 0: a guest
    int32_t room;
    uint8_t role;
    const char* shownTitle;   // what the lists and the entered line show: the role's or the level's
    bool hidden;
    bool seesHidden;
};

TEST_F(RoomServerTest, RecordsCarryLevelRoomRoleAndHiddenFlag)
{
    const RecordCase cases[] = {
        {"owner", 10001, 501, 5, "室主", false, true},
        {"admin", 10002, 501, 13, "普通会员", false, true},
        {"hidden member", 10003, 501, 0, "普通会员", true, false},
        {"plain member", 10004, 501, 0, "普通会员", false, false},
        {"guest", 0, 501, 0, "游客", false, false},
        {"owner of another room", 10001, 504, 0, "普通会员", false, false},
        {"admin of another room, owner here", 10002, 504, 5, "室主", false, true},
    };
    uint8_t host = 20;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Member m = LogIn(host++, c.number);
        ASSERT_TRUE(Enter(m, c.room));
        const auto local =
            TLocalUserInfo::Parse(m.hall->Last<TRoomInfoAnswer>()->LocalUserBytes().data(), TLocalUserInfo::kSize).value();
        const auto listed = ListedUsers(*m.window);
        const auto self = std::find_if(listed.begin(), listed.end(), [&](const TRoomUser& u) { return u.UserNumber() == m.id.user; });
        ASSERT_NE(self, listed.end());

        if (c.number == 0) {
            EXPECT_GE(m.id.user, server::TOnlineUsers::kFirstGuestNumber);
            EXPECT_EQ(self->Level(), kGuestLevel);
            EXPECT_EQ(local.LevelRights().MicMenuMask(), 0x40);
        } else {
            EXPECT_EQ(m.id.user, c.number);
            EXPECT_EQ(self->Level(), kMemberLevel);
            EXPECT_EQ(local.LevelRights().MicMenuMask(), 0x7E);
        }
        EXPECT_EQ(local.UserNumber(), m.id.user);
        EXPECT_EQ(self->Nickname(), local.Nickname());
        EXPECT_EQ(self->RoomRole(), c.role);
        EXPECT_EQ(self->RoleKind(), c.role);
        EXPECT_EQ(local.RoomRole(), c.role);
        EXPECT_EQ(local.RoleData().bytes(), self->RoleData().bytes());
        EXPECT_EQ(self->RoleData().ReplacesLevel() ? self->RoleTitle() : self->LevelTitle(), c.shownTitle);
        EXPECT_EQ(self->Hidden(), c.hidden);
        // What the room window's combined rights make of a hidden member of level 15.
        const TRoomRights rights = TRoomRights::Combine(local.LevelRights(), local.RoleRights());
        EXPECT_EQ(rights.ShownHiddenLevels().Contains(kMemberLevel), c.seesHidden);
        EXPECT_FALSE(rights.KickLevels().Permits()) << "the server grants no administration it does not serve";
    }
}

TEST_F(RoomServerTest, HiddenMembersAreAnnouncedWithTheirFlagAndGuestsByTheirOwnNumbers)
{
    Member owner = LogIn(9, 10001);
    Member hidden = LogIn(10, 10003);
    Member guest1 = LogIn(11, 0);
    Member guest2 = LogIn(12, 0);
    ASSERT_TRUE(Enter(owner, 501));
    ASSERT_TRUE(Enter(hidden, 501));
    ASSERT_TRUE(Enter(guest1, 501));
    ASSERT_TRUE(Enter(guest2, 501));

    const auto entered = owner.window->All<TUserEntered>();
    ASSERT_EQ(entered.size(), 3u);
    EXPECT_TRUE(entered[0].User().Hidden());
    EXPECT_FALSE(entered[1].User().Hidden());
    // Number 0 is "everybody" to the client: two guests must not share it, nor any number.
    EXPECT_NE(guest1.id.user, 0);
    EXPECT_NE(guest2.id.user, 0);
    EXPECT_NE(guest1.id.user, guest2.id.user);
    EXPECT_EQ(Named<TUserEntered>(*owner.window),
              (std::vector<uint32_t>{10003, static_cast<uint32_t>(guest1.id.user), static_cast<uint32_t>(guest2.id.user)}));

    Exchange(*guest1.window, 501, TLeaveRoom(guest1.id));
    EXPECT_EQ(Named<TUserLeft>(*guest2.window), std::vector<uint32_t>{static_cast<uint32_t>(guest1.id.user)});
    EXPECT_TRUE(KeepAlive(guest2));
    EXPECT_FALSE(KeepAlive(guest1));
}

TEST_F(RoomServerTest, KeepAliveIsAnsweredWithTheTagOnlyForTheGenuinePresence)
{
    Member a = LogIn(9, 10004);
    Member b = LogIn(10, 10002);
    ASSERT_TRUE(Enter(a, 501));
    ASSERT_TRUE(Enter(b, 501));
    {
        const auto answers = Exchange(*a.window, 501, TKeepAlive(a.id));
        ASSERT_EQ(answers.size(), 1u);
        const auto ack = ParseAs<TKeepAliveAck>(answers[0].data(), answers[0].size());
        ASSERT_TRUE(ack);
        EXPECT_EQ(ack->Tag(), a.id.tag);
    }

    auto with = [&](auto change) {
        TRoomIdentity id = a.id;
        change(id);
        return id;
    };
    struct Case {
        const char* name;
        TClient& from;
        TRoomIdentity id;
    } const cases[] = {
        {"another tag value", *a.window, with([](TRoomIdentity& id) { id.tag.value ^= 1; })},
        {"another tag word", *a.window, with([](TRoomIdentity& id) { id.tag.word ^= 0x100; })},
        {"no tag", *a.window, with([](TRoomIdentity& id) { id.tag = {}; })},
        {"another hall key", *a.window, with([](TRoomIdentity& id) { id.hallKey ^= 0x8000; })},
        {"another room of the line", *a.window, with([](TRoomIdentity& id) { id.room = 503; })},
        {"a room of another line", *a.window, with([](TRoomIdentity& id) { id.room = 504; })},
        {"a number not present", *a.window, with([](TRoomIdentity& id) { id.user = 10001; })},
        {"from the hall's port", *a.hall, a.id},
        {"from another host", h.Client(30, 6000), a.id},
        {"another member's number from this window", *a.window, with([&](TRoomIdentity& id) { id.user = b.id.user; })},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(Exchange(c.from, c.id.room, TKeepAlive(c.id)).empty());
    }
    // Nor does anybody leave on someone else's behalf.
    Exchange(*a.window, 501, TLeaveRoom(with([&](TRoomIdentity& id) { id.user = b.id.user; })));
    Exchange(h.Client(30, 6000), 501, TLeaveRoom(b.id));
    EXPECT_TRUE(a.window->All<TUserLeft>().empty());
    EXPECT_TRUE(KeepAlive(b));
    EXPECT_TRUE(KeepAlive(a));
}

TEST_F(RoomServerTest, LeavingTellsTheOthersOnceAndEndsThePresence)
{
    Member a = LogIn(9, 10004), b = LogIn(10, 10002), c = LogIn(11, 10001);
    for (Member* m : {&a, &b, &c})
        ASSERT_TRUE(Enter(*m, 501));
    const size_t bReceived = b.window->received.size();
    Exchange(*b.window, 501, TLeaveRoom(b.id));
    EXPECT_EQ(Named<TUserLeft>(*a.window), std::vector<uint32_t>{10002});
    EXPECT_EQ(Named<TUserLeft>(*c.window), std::vector<uint32_t>{10002});
    EXPECT_EQ(b.window->received.size(), bReceived);
    EXPECT_FALSE(KeepAlive(b));
    Exchange(*b.window, 501, TLeaveRoom(b.id));
    EXPECT_EQ(a.window->All<TUserLeft>().size(), 1u);

    // Back in with new room information, and a new tag.
    const TConnectionTag oldTag = b.id.tag;
    ASSERT_TRUE(Enter(b, 501));
    EXPECT_NE(b.id.tag, oldTag);
    EXPECT_EQ(Named<TUserEntered>(*a.window), (std::vector<uint32_t>{10002, 10001, 10002}));
    EXPECT_EQ(Numbers(b.window->Last<TUserListPage>()->Users()), (std::vector<int32_t>{10001, 10002, 10004}));
}

TEST_F(RoomServerTest, SilentUsersAreDroppedAfterTheClientsOwnTimeOutAndTheOthersTold)
{
    Member live = LogIn(9, 10004), silent = LogIn(10, 10002);
    ASSERT_TRUE(Enter(live, 501));
    ASSERT_TRUE(Enter(silent, 501));
    // The room window sends a keep-alive about every 30 s.
    uint32_t quiet = 0;
    for (; quiet + 30000 < TRoomServer::kPresenceLost; quiet += 30000) {
        ASSERT_TRUE(KeepAlive(live));
        h.Idle(30000);
    }
    h.Idle(TRoomServer::kPresenceLost - quiet - 1000);
    EXPECT_TRUE(live.window->All<TUserLeft>().empty()) << "still within the time-out";

    h.Idle(1000 + TRoomServer::kSweepInterval);
    EXPECT_EQ(Named<TUserLeft>(*live.window), std::vector<uint32_t>{10002});
    EXPECT_FALSE(KeepAlive(silent)) << "a late keep-alive finds no presence";
    EXPECT_TRUE(KeepAlive(live));
    EXPECT_TRUE(silent.window->All<TUserLeft>().empty());
}

TEST_F(RoomServerTest, EnteringNeedsFreshRoomInformationForThatRoomAndNumber)
{
    Member watcher = LogIn(9, 10001);
    ASSERT_TRUE(Enter(watcher, 501));
    Member m = LogIn(10, 10004);
    auto enter = [&](int32_t user, int32_t room) {
        return Exchange(*m.window, room, TEnterRoom({user, room, m.user.HallKey(), {}}));
    };
    auto roomInfo = [&](int32_t room, const std::string& password = {}) {
        return h.RoomInfo(*m.hall, m.user, room, h.LinePort(room), password).ErrorText();
    };

    struct Case {
        const char* name;
        std::function<std::vector<std::vector<uint8_t>>()> attempt;
    } const cases[] = {
        {"password room without room information", [&] { return enter(10004, 502); }},
        {"password room after a wrong password", [&] {
             EXPECT_EQ(roomInfo(502, "1234"), "房间密码错误");
             return enter(10004, 502);
         }},
        {"room information of another room", [&] {
             EXPECT_EQ(roomInfo(503), "");
             return enter(10004, 501);
         }},
        {"another number than the one granted", [&] {
             EXPECT_EQ(roomInfo(501), "");
             return enter(10002, 501);
         }},
        {"room information too old", [&] {
             EXPECT_EQ(roomInfo(501), "");
             h.Idle(TRoomServer::kAdmissionLife + TRoomServer::kSweepInterval);
             return enter(10004, 501);
         }},
        {"hall session closed since", [&] {
             EXPECT_EQ(roomInfo(501), "");
             THallLogout logout;
             logout.SetUserID(10004);
             logout.SetHallKey(m.user.HallKey());
             h.Send(*m.hall, kHallPort, logout);
             return enter(10004, 501);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(c.attempt().empty());
        EXPECT_TRUE(watcher.window->All<TUserEntered>().empty());
    }

    // Granted room information lets in once, password room included.
    m = LogIn(10, 10004);
    ASSERT_EQ(roomInfo(502, "8888"), "");
    EXPECT_EQ(CommandCode(enter(10004, 502).at(0).data(), 8), TEnterAck::kCode);
    EXPECT_TRUE(Exchange(h.Client(10, 6001), 502, TEnterRoom({10004, 502, m.user.HallKey(), {}})).empty());
}

TEST_F(RoomServerTest, EnteringAgainFromElsewhereEndsTheEarlierPresence)
{
    Member a = LogIn(9, 10004), watcher = LogIn(10, 10001);
    ASSERT_TRUE(Enter(watcher, 501));
    ASSERT_TRUE(Enter(a, 501));
    Member again = a;
    again.window = &h.Client(9, 6001);   // a second room window of the same hall
    ASSERT_TRUE(Enter(again, 501));

    const auto told = a.window->All<TKickResult>();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].Reason(), TKickResult::kLoggedInElsewhere);
    EXPECT_GE(told[0].Result(), 0);
    EXPECT_EQ(Named<TUserLeft>(*watcher.window), std::vector<uint32_t>{10004});
    EXPECT_EQ(Named<TUserEntered>(*watcher.window), (std::vector<uint32_t>{10004, 10004}));
    EXPECT_EQ(Numbers(ListedUsers(*again.window)), (std::vector<int32_t>{10001, 10004}));
    EXPECT_FALSE(KeepAlive(*a.window, a.id));
    EXPECT_TRUE(KeepAlive(again));
}

TEST_F(RoomServerTest, AFullRoomRefusesAtTheRoomInformationAndSendsALateComerAway)
{
    Member a = LogIn(9, 10004), b = LogIn(10, 10002), c = LogIn(11, 10001);
    ASSERT_TRUE(Enter(a, 503));
    // b and c both get room information while one place is free; whoever enters second is sent away.
    ASSERT_EQ(h.RoomInfo(*b.hall, b.user, 503, 20011).ErrorText(), "");
    ASSERT_EQ(h.RoomInfo(*c.hall, c.user, 503, 20011).ErrorText(), "");
    Exchange(*b.window, 503, TEnterRoom({10002, 503, b.user.HallKey(), {}}));
    const auto away = Exchange(*c.window, 503, TEnterRoom({10001, 503, c.user.HallKey(), {}}));
    ASSERT_EQ(away.size(), 1u);
    const auto kicked = ParseAs<TKickNotice>(away[0].data(), away[0].size());
    ASSERT_TRUE(kicked);
    EXPECT_EQ(kicked->ActingUser(), TKickNotice::kSystem);
    EXPECT_EQ(kicked->User(), 10001u);
    EXPECT_EQ(Named<TUserEntered>(*a.window), std::vector<uint32_t>{10002});

    EXPECT_EQ(h.RoomInfo(*c.hall, c.user, 503, 20011).ErrorText(), "房间人数已满");
    // One who is in may come back from elsewhere even so.
    EXPECT_EQ(h.RoomInfo(*a.hall, a.user, 503, 20011).ErrorText(), "");
}

TEST_F(RoomServerTest, ALongListComesInPagesWithEveryUserOnce)
{
    std::vector<Member> guests;
    for (int i = 0; i < 2 * static_cast<int>(server::THostedRoom::kUsersPerPage) + 7; ++i) {
        guests.push_back(LogIn(static_cast<uint8_t>(100 + i), 0));
        ASSERT_TRUE(Enter(guests.back(), 501));
    }
    const auto pages = guests.back().window->All<TUserListPage>();
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0].Count(), static_cast<int32_t>(server::THostedRoom::kUsersPerPage));
    EXPECT_EQ(pages[2].Count(), 7);
    std::set<int32_t> listed;
    for (const auto& u : ListedUsers(*guests.back().window))
        listed.insert(u.UserNumber());
    std::set<int32_t> entered;
    for (const auto& g : guests)
        entered.insert(g.id.user);
    EXPECT_EQ(listed, entered);
    EXPECT_EQ(listed.size(), guests.size());
    EXPECT_EQ(guests.front().window->All<TUserEntered>().size(), guests.size() - 1);
}

TEST_F(RoomServerTest, BadInputIsDroppedAndTheServerKeepsWorking)
{
    Member a = LogIn(9, 10004);
    ASSERT_TRUE(Enter(a, 501));
    Member b = LogIn(10, 10002);
    ASSERT_EQ(h.RoomInfo(*b.hall, b.user, 501, 20011).ErrorText(), "");
    auto cut = [](const TMessage& m, size_t length) { return std::vector<uint8_t>(m.data(), m.data() + length); };
    const TEnterRoom enter({10002, 501, b.user.HallKey(), {}});
    TEnterAck ackToServer;
    ackToServer.SetTag(a.id.tag);
    TUserLeft leftToServer;
    leftToServer.SetUserNumber(10004);
    const std::vector<std::vector<uint8_t>> messages = {
        cut(enter, TEnterRoom::kLength - 1),
        cut(TKeepAlive(a.id), TKeepAlive::kLength - 1),
        cut(TLeaveRoom(a.id), TLeaveRoom::kLength - 1),
        cut(TRoomInfoRequest(), TRoomInfoRequest::kLength - 1),
        cut(TEnterRoom({10002, 502, b.user.HallKey(), {}}), TEnterRoom::kLength),   // a room of another line
        cut(ackToServer, ackToServer.size()),
        cut(leftToServer, leftToServer.size()),
        std::vector<uint8_t>(8, 0),
        {},
    };
    for (const auto& m : messages)
        h.SendBytes(*b.window, 20011, m);
    for (const auto& datagram : {std::vector<uint8_t>{1, 2, 3}, std::vector<uint8_t>(818, 0xFF)})
        h.SendRaw(*b.window, 20011, datagram);
    EXPECT_TRUE(b.window->received.empty());
    EXPECT_EQ(a.window->Codes(), (std::vector<int32_t>{TEnterAck::kCode, TUserListPage::kCode}));

    // The admission the malformed enter did not use is still there.
    EXPECT_EQ(CommandCode(Exchange(*b.window, 501, enter).at(0).data(), 8), TEnterAck::kCode);
    EXPECT_TRUE(KeepAlive(a));
}

} // namespace
