// The server's member tables: numbering of new members and the bounded session table.
#include "AccountBook.h"
#include "OnlineUsers.h"

#include <gtest/gtest.h>

#include <set>

using namespace vlk::server;

namespace {

TAccount Member(int32_t number)
{
    TAccount a;
    a.Number = number;
    a.Nickname = "m" + std::to_string(number);
    a.PasswordDigest = std::string(32, 'a');
    return a;
}

TEST(AccountBookServerTest, NewNumbersFillTheGapsFrom10000Up)
{
    TAccountBook book({Member(10000), Member(10001), Member(10003), Member(9999), Member(20000)});
    EXPECT_EQ(book.Register("a", std::string(32, 'b')), 10002);
    EXPECT_EQ(book.Register("b", std::string(32, 'b')), 10004);
    EXPECT_EQ(book.Register("c", std::string(32, 'b')), 10005);
    const auto added = book.Find(10004);
    ASSERT_TRUE(added);
    EXPECT_EQ(added->Nickname, "b");
    EXPECT_EQ(added->Level, TAccount::kMemberLevel);
    EXPECT_EQ(book.Find(9999)->Nickname, "m9999");
    EXPECT_FALSE(book.Find(10006));
}

TEST(AccountBookServerTest, RegistrationStopsAtItsBound)
{
    TAccountBook book({});
    for (size_t i = 0; i < TAccountBook::kMaxRegistrations; ++i)
        ASSERT_TRUE(book.Register("n", std::string(32, 'c')));
    EXPECT_FALSE(book.Register("n", std::string(32, 'c')));
    EXPECT_TRUE(book.Find(static_cast<int32_t>(TAccountBook::kFirstRegisteredNumber + TAccountBook::kMaxRegistrations - 1)));
}

TOnlineUser Online(int32_t userId, uint32_t lastSeen = 0)
{
    TOnlineUser u;
    u.UserID = userId;
    u.LastSeen = lastSeen;
    return u;
}

TEST(OnlineUsersServerTest, FullTableDropsTheOldestSessionAndItsMemberIndex)
{
    TOnlineUsers table(3);
    std::set<uint32_t> keys;
    std::vector<TOnlineUser> users = {Online(10001), Online(0), Online(10002), Online(10003)};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_FALSE(table.Add(users[i]));
        EXPECT_NE(users[i].HallKey, 0u);
        keys.insert(users[i].HallKey);
    }
    EXPECT_EQ(keys.size(), 3u);
    const auto dropped = table.Add(users[3]);
    ASSERT_TRUE(dropped);
    EXPECT_EQ(dropped->UserID, 10001);
    EXPECT_EQ(table.Size(), 3u);
    EXPECT_EQ(table.FindMember(10001), nullptr);
    EXPECT_EQ(table.Find(users[0].HallKey, 10001), nullptr);
    ASSERT_NE(table.FindMember(10003), nullptr);
    EXPECT_EQ(table.FindMember(10003)->HallKey, users[3].HallKey);
    EXPECT_NE(table.Find(users[1].HallKey, 0), nullptr);
    EXPECT_EQ(table.Find(users[1].HallKey, 10001), nullptr);
}

TEST(OnlineUsersServerTest, GuestsGetRoomNumbersOfTheirOwnThatAreNotHandedOutAgainAtOnce)
{
    TOnlineUsers table(3);
    TOnlineUser first = Online(0), member = Online(10001), second = Online(0), third = Online(0);
    member.GuestNumber = 77;   // what a copied record may carry is not kept
    table.Add(first);
    table.Add(member);
    table.Add(second);
    EXPECT_EQ(first.GuestNumber, TOnlineUsers::kFirstGuestNumber);
    EXPECT_EQ(second.GuestNumber, TOnlineUsers::kFirstGuestNumber + 1);
    EXPECT_EQ(member.GuestNumber, 0);
    EXPECT_EQ(member.RoomUserNumber(), 10001);
    EXPECT_EQ(first.RoomUserNumber(), TOnlineUsers::kFirstGuestNumber);
    EXPECT_GT(TOnlineUsers::kFirstGuestNumber, TAccount::kMaxNumber);
    // The first guest's session goes to make room; its number stays unused for a while.
    ASSERT_TRUE(table.Add(third));
    EXPECT_EQ(third.GuestNumber, TOnlineUsers::kFirstGuestNumber + 2);
    EXPECT_EQ(table.Find(second.HallKey, 0)->GuestNumber, second.GuestNumber);
}

TEST(OnlineUsersServerTest, MembersIdleForMoreThanTheLimitGoButGuestsStay)
{
    TOnlineUsers table;
    TOnlineUser early = Online(10001, 1000), late = Online(10002, 150000), guest = Online(0, 0);
    table.Add(early);
    table.Add(late);
    table.Add(guest);

    EXPECT_TRUE(table.RemoveIdle(201000, 200000).empty());
    const auto idle = table.RemoveIdle(201001, 200000);
    ASSERT_EQ(idle.size(), 1u);
    EXPECT_EQ(idle[0].UserID, 10001);
    EXPECT_EQ(table.FindMember(10001), nullptr);
    EXPECT_NE(table.FindMember(10002), nullptr);
    EXPECT_TRUE(table.RemoveIdle(5000000, 200000).size() == 1 && table.Find(guest.HallKey, 0));
}

TEST(OnlineUsersServerTest, IdleTimeIsMeasuredAcrossTheTickWrap)
{
    TOnlineUsers table;
    TOnlineUser member = Online(10001, 0xFFFFF000u);   // 4096 ms before the tick wraps to 0
    table.Add(member);
    EXPECT_TRUE(table.RemoveIdle(100000, 200000).empty());
    EXPECT_EQ(table.RemoveIdle(196000, 200000).size(), 1u);
}

} // namespace
