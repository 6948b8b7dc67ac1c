#include "hall/HallLinks.h"

#include <gtest/gtest.h>

using namespace vlk;

TEST(HallLinks, AddressesAndWhatTheyStandFor)
{
    using K = THallLink::Kind;
    struct Case {
        const char* address;
        K kind;
        int32_t room, choice;
        const char* game;
        int32_t user, first, second;
    };
    const Case cases[] = {
        {"vlkroomid:1234,2", K::Room, 1234, 2, "", 0, 0, 0},
        {"vlkroomid:1234", K::Room, 0, 0, "", 0, 0, 0},   // no comma: nothing to enter
        {"VLKROOMID:5,0", K::Room, 5, 0, "", 0, 0, 0},
        {"VlkRoomId:abc,x", K::Room, 0, 0, "", 0, 0, 0},
        {"vlkroomid:7,", K::Room, 7, 0, "", 0, 0, 0},
        {"webgame:猜数字|10001|3|-4", K::WebGame, 0, 0, "猜数字", 10001, 3, -4},
        {"WEBGAME:g|x|y", K::WebGame, 0, 0, "g", 0, 0, 0},   // missing and bad fields count as 0
        {"webgame:", K::WebGame, 0, 0, "", 0, 0, 0},
        {"gamecenter:", K::GameCenter, 0, 0, "", 0, 0, 0},
        {"GameCenter:anything/at/all", K::GameCenter, 0, 0, "", 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        const auto link = ParseHallLink(c.address);
        ASSERT_TRUE(link);
        EXPECT_EQ(link->kind, c.kind);
        EXPECT_EQ(link->room, c.room);
        EXPECT_EQ(link->choice, c.choice);
        EXPECT_EQ(link->game, c.game);
        EXPECT_EQ(link->user, c.user);
        EXPECT_EQ(link->first, c.first);
        EXPECT_EQ(link->second, c.second);
    }
    for (const char* ordinary : {"http://127.0.0.1/hall.html", "about:blank", "vlkroom:1,2", "", "webgam:x"})
        EXPECT_FALSE(ParseHallLink(ordinary)) << ordinary;
}
