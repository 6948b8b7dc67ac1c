#include "room/RoomRights.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace vlk {
namespace {

TLevelSet SetOf(std::initializer_list<uint8_t> elements)
{
    TLevelSet set;
    for (uint8_t e : elements)
        set.Insert(e);
    return set;
}

TEST(RoomRightsTest, ALevelSetRefusesOnlyWhenItHoldsElementZeroAlone)
{
    struct Case {
        const char* name;
        TLevelSet set;
        bool permits;
    } cases[] = {
        {"empty", SetOf({}), true},
        {"zero alone", SetOf({0}), false},
        {"zero and another", SetOf({0, 15}), true},
        {"a member level", SetOf({15}), true},
        {"the last element", SetOf({255}), true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.set.Permits(), c.permits) << c.name;
}

TEST(RoomRightsTest, LevelSetBitsFollowTheLayout)
{
    const TLevelSet set = SetOf({0, 9, 15, 16, 255});
    const std::string_view bytes = set.Bytes();
    ASSERT_EQ(bytes.size(), 32u);
    EXPECT_EQ(uint8_t(bytes[0]), 0x01);
    EXPECT_EQ(uint8_t(bytes[1]), 0x82) << "9 and 15";
    EXPECT_EQ(uint8_t(bytes[2]), 0x01);
    EXPECT_EQ(uint8_t(bytes[31]), 0x80);
    EXPECT_TRUE(set.Contains(16));
    EXPECT_FALSE(set.Contains(17));
    EXPECT_EQ(TLevelSet::FromBytes(bytes), set);
}

TEST(RoomRightsTest, CombiningTakesFlagsByOrSetsByUnionTheNumberByMaximumAndTheMaskByOr)
{
    TRoomRights level;
    level.SetCanChangeSettings(true);
    level.SetKickLevels(SetOf({15}));
    level.SetShownHiddenLevels(SetOf({13}));
    level.SetNumber(-5);
    level.SetMicMenuMask(0b0011);
    level.SetFurtherFlag(2, true);
    level.setU8(170, 0x10);   // a level set the client does not read

    TRoomRights role;
    role.SetCanExchangeGifts(true);
    role.SetKickLevels(SetOf({16, 200}));
    role.SetMuteLevels(SetOf({0}));
    role.SetNumber(-7);
    role.SetMicMenuMask(0b0110);
    role.setU8(170, 0x01);
    role.setU8(292, 1);

    const TRoomRights all = TRoomRights::Combine(level, role);
    EXPECT_TRUE(all.CanChangeSettings());
    EXPECT_TRUE(all.CanExchangeGifts());
    EXPECT_FALSE(all.CanPublishNotice());
    EXPECT_EQ(all.KickLevels(), SetOf({15, 16, 200}));
    EXPECT_EQ(all.ShownHiddenLevels(), SetOf({13}));
    EXPECT_EQ(all.MuteLevels(), SetOf({0}));
    EXPECT_FALSE(all.MuteLevels().Permits()) << "a refusing set stays refusing against an empty one";
    EXPECT_EQ(all.Number(), -5);
    EXPECT_EQ(all.MicMenuMask(), 0b0111);
    EXPECT_TRUE(all.FurtherFlag(2));
    EXPECT_FALSE(all.FurtherFlag(0));
    EXPECT_EQ(all.u8(170), 0x11);
    EXPECT_EQ(all.u8(292), 1);

    TRoomRights a, b;
    a.SetNumber(3);
    b.SetNumber(4);
    EXPECT_EQ(TRoomRights::Combine(a, b).Number(), 4) << "3 | 4 would be 7";
    a.SetNumber(-1);
    b.SetNumber(2);
    EXPECT_EQ(TRoomRights::Combine(a, b).Number(), 2) << "-1 | 2 would be -1";
    EXPECT_EQ(TRoomRights::Combine(b, a).Number(), 2);
}

TEST(RoomRightsTest, CombiningTwoRefusingSetsStillRefuses)
{
    TRoomRights a, b;
    a.SetKickLevels(SetOf({0}));
    b.SetKickLevels(SetOf({0}));
    EXPECT_FALSE(TRoomRights::Combine(a, b).KickLevels().Permits());
    b.SetKickLevels(SetOf({}));
    EXPECT_FALSE(TRoomRights::Combine(a, b).KickLevels().Permits());
}

} // namespace
} // namespace vlk
