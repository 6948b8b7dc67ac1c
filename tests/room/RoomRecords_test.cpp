#include "room/BlockedAddressEntry.h"
#include "room/LocalUserInfo.h"
#include "room/LoudspeakerRecord.h"
#include "room/MicEntry.h"
#include "room/NamedUser.h"
#include "room/RoleData.h"
#include "room/RoomHeader.h"
#include "room/RoomInfo.h"
#include "room/RoomRights.h"
#include "room/RoomUser.h"
#include "room/UserProfile.h"
#include "room/FieldTable.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace vlk::roomtest {
namespace {

// One record's layout, with what the generic checks need from its class.
struct TRecordCase {
    std::string name;
    size_t size;
    size_t classSize;
    std::vector<TLayoutField> fields;
    // Default record with every field set through its setter.
    std::function<TRecord()> build;
    // Setters applied to a copy of the given bytes.
    std::function<TRecord(const TRecord&)> rewrite;
    std::function<std::optional<std::vector<TValue>>(const TRecord&)> parse;
};

template <class R>
TRecordCase Case(std::string name, size_t size, std::vector<TField<R>> fields)
{
    TRecordCase c{std::move(name), size, R::kSize, {}, {}, {}, {}};
    for (const auto& f : fields)
        c.fields.push_back(f.layout);
    c.build = [fields] {
        R record;
        for (const auto& f : fields)
            f.set(record, f.layout.value);
        return TRecord(record);
    };
    c.rewrite = [fields](const TRecord& bytes) {
        R record = *R::Parse(bytes.data(), bytes.size());
        for (const auto& f : fields)
            f.set(record, f.layout.value);
        return TRecord(record);
    };
    c.parse = [fields](const TRecord& bytes) -> std::optional<std::vector<TValue>> {
        auto record = R::Parse(bytes.data(), bytes.size());
        if (!record)
            return std::nullopt;
        std::vector<TValue> values;
        for (const auto& f : fields)
            values.push_back(f.get(*record));
        return values;
    };
    return c;
}

std::vector<TRecordCase> RecordCases()
{
    using I = TRoomInfo;
    using L = TLocalUserInfo;
    using U = TRoomUser;
    using G = TRoomRights;
    using D = TRoleData;
    using E = TMicEntry;
    using P = TUserProfile;
    using H = TRoomHeader;
    using N = TNamedUser;
    using B = TBlockedAddressEntry;
    using S = TLoudspeakerRecord;
    return {
        Case<I>("TRoomInfo", 1246,
                {ROOM_FIELD(I, RoomNumber, 0, I32), ROOM_TEXT(I, RoomName, 4, 50), ROOM_FIELD(I, RoomType, 55, I16),
                 ROOM_FIELD(I, OwnerNumber, 57, I32), ROOM_FIELD_AT(I, DeputyOwner, 0, 61, I32, 0),
                 ROOM_FIELD_AT(I, DeputyOwner, 1, 65, I32, 0), ROOM_FIELD_AT(I, DeputyOwner, 2, 69, I32, 0),
                 ROOM_TEXT(I, Password, 73, 20), ROOM_FIELD(I, Line, 94, I16), ROOM_TEXT(I, Notice, 96, 250),
                 ROOM_TEXT(I, WelcomeText, 347, 250), ROOM_FIELD(I, PublicMicCount, 598, I16),
                 ROOM_FIELD(I, MaxUsers, 600, I16), ROOM_FIELD(I, MinEnterCoins, 602, I32),
                 ROOM_FIELD(I, GiftDisplayInterval, 630, I32), ROOM_FIELD(I, GiftsPerStep, 634, I32),
                 ROOM_FIELD(I, ChatPermissions, 646, I32), ROOM_FIELD(I, MicFlags, 655, I32),
                 ROOM_FIELD(I, FreeMicMinutes, 659, I32), ROOM_FIELD(I, AutoUnmuteMinutes, 663, I16),
                 ROOM_FIELD_AT(I, LinkCaption, 0, 665, Text, 12), ROOM_FIELD_AT(I, LinkCaption, 1, 678, Text, 12),
                 ROOM_FIELD_AT(I, LinkCaption, 2, 691, Text, 12), ROOM_FIELD_AT(I, LinkCaption, 3, 704, Text, 12),
                 ROOM_FIELD_AT(I, LinkAddress, 0, 717, Text, 100), ROOM_FIELD_AT(I, LinkAddress, 1, 818, Text, 100),
                 ROOM_FIELD_AT(I, LinkAddress, 2, 919, Text, 100), ROOM_FIELD_AT(I, LinkAddress, 3, 1020, Text, 100),
                 ROOM_FIELD(I, ChatInterval, 1121, I32), ROOM_TEXT(I, TextStyle, 1134, 100),
                 ROOM_FIELD(I, AutoConnect, 1235, Bool), ROOM_FIELD(I, ServerAddress, 1240, U32),
                 ROOM_FIELD(I, HallValue, 1244, U16)}),
        Case<L>("TLocalUserInfo", 881,
                {ROOM_FIELD(L, UserNumber, 0, I32), ROOM_FIELD(L, HallKey, 4, U32), ROOM_TEXT(L, Nickname, 8, 30),
                 ROOM_FIELD(L, Coins, 47, I32), ROOM_FIELD(L, Points, 51, I32), ROOM_FIELD(L, Level, 58, U8),
                 ROOM_RECORD(L, LevelRights, 93, TRoomRights), ROOM_FIELD(L, RoomRole, 461, U8),
                 ROOM_RECORD(L, RoleData, 462, TRoleData), ROOM_RECORD(L, RoleRights, 496, TRoomRights),
                 ROOM_FIELD(L, MicState, 864, U8), ROOM_FIELD(L, Muted, 874, Bool)}),
        Case<U>("TRoomUser", 157,
                {ROOM_FIELD(U, UserNumber, 0, I32), ROOM_TEXT(U, Nickname, 8, 30), ROOM_FIELD(U, HeadPicture, 39, I32),
                 ROOM_FIELD(U, NoMicImage, 55, U8), ROOM_FIELD(U, Level, 58, U8), ROOM_TEXT(U, LevelPicture, 63, 10),
                 ROOM_TEXT(U, LevelTitle, 74, 10), ROOM_FIELD(U, LevelColor, 85, U32), ROOM_FIELD(U, LevelRank, 89, I16),
                 ROOM_FIELD(U, MembershipType, 91, U16), ROOM_FIELD(U, RoomRole, 93, U8),
                 ROOM_FIELD(U, RoleKind, 94, I32), ROOM_TEXT(U, RolePicture, 98, 10), ROOM_TEXT(U, RoleTitle, 109, 10),
                 ROOM_FIELD(U, RoleColor, 120, U32), ROOM_FIELD(U, RoleRank, 124, I16), ROOM_FIELD(U, MicState, 128, U8),
                 ROOM_FIELD(U, MicTimeUsed, 129, I32), ROOM_FIELD(U, MicTimeAllowed, 133, I32),
                 ROOM_FIELD(U, Hidden, 137, Bool), ROOM_FIELD(U, Muted, 138, Bool), ROOM_FIELD(U, SealNumber, 139, I32),
                 ROOM_FIELD(U, SealExpiry, 143, F64)}),
        Case<G>("TRoomRights", 368,
                {ROOM_FIELD(G, CanChangeSettings, 0, Bool), ROOM_FIELD(G, CanPublishNotice, 1, Bool),
                 ROOM_SET(G, AdminLevels, 2), ROOM_SET(G, TempAdminLevels, 34), ROOM_SET(G, BlacklistLevels, 66),
                 ROOM_SET(G, BlockAddressLevels, 98), ROOM_SET(G, KickLevels, 130), ROOM_SET(G, MicHoldLevels, 194),
                 ROOM_FIELD(G, CanReorderMicQueue, 258, Bool), ROOM_FIELD(G, CanAddMicTime, 259, Bool),
                 ROOM_SET(G, MuteLevels, 260), ROOM_SET(G, ShownHiddenLevels, 293), ROOM_SET(G, LookUpAddressLevels, 325),
                 ROOM_FIELD(G, Number, 357, I32), ROOM_FIELD(G, MicMenuMask, 361, U8),
                 ROOM_FIELD(G, CanExchangeGifts, 362, Bool), ROOM_FIELD(G, CanConnectPrivateMics, 363, Bool),
                 ROOM_FIELD_AT(G, FurtherFlag, 0, 364, Bool, 0), ROOM_FIELD_AT(G, FurtherFlag, 1, 365, Bool, 0),
                 ROOM_FIELD_AT(G, FurtherFlag, 2, 366, Bool, 0), ROOM_FIELD_AT(G, FurtherFlag, 3, 367, Bool, 0)}),
        Case<D>("TRoleData", 34,
                {ROOM_FIELD(D, RoleKind, 0, I32), ROOM_TEXT(D, RolePicture, 4, 10), ROOM_TEXT(D, RoleTitle, 15, 10),
                 ROOM_FIELD(D, RoleColor, 26, U32), ROOM_FIELD(D, RoleRank, 30, I16)}),
        Case<E>("TMicEntry", 21,
                {ROOM_FIELD(E, UserNumber, 0, I32), ROOM_FIELD(E, PanelIndex, 4, I16), ROOM_FIELD(E, MicState, 6, U8),
                 ROOM_FIELD(E, MediaAddress, 7, U32), ROOM_FIELD(E, MediaPort, 11, U16),
                 ROOM_FIELD(E, MicTimeUsed, 13, I32), ROOM_FIELD(E, MicTimeAllowed, 17, I32)}),
        Case<P>("TUserProfile", 531,
                {ROOM_FIELD(P, UserNumber, 0, I32), ROOM_TEXT(P, Nickname, 4, 30), ROOM_FIELD(P, Sex, 39, I16),
                 ROOM_FIELD(P, Age, 41, I16), ROOM_TEXT(P, Country, 54, 50), ROOM_TEXT(P, Province, 105, 50),
                 ROOM_TEXT(P, Telephone, 156, 30), ROOM_TEXT(P, MobilePhone, 187, 30), ROOM_TEXT(P, Email, 218, 30),
                 ROOM_TEXT(P, QQNumber, 249, 30), ROOM_TEXT(P, Note, 280, 250)}),
        Case<H>("TRoomHeader", 26,
                {ROOM_FIELD(H, Magic, 0, I32), ROOM_FIELD(H, Code, 4, I32), ROOM_FIELD(H, UserNumber, 8, I32),
                 ROOM_FIELD(H, RoomNumber, 12, I32), ROOM_FIELD(H, HallKey, 16, U32), ROOM_FIELD(H, TagValue, 20, U32),
                 ROOM_FIELD(H, TagWord, 24, U16)}),
        Case<N>("TNamedUser", 35, {ROOM_FIELD(N, UserNumber, 0, U32), ROOM_TEXT(N, Nickname, 4, 30)}),
        Case<B>("TBlockedAddressEntry", 12,
                {ROOM_FIELD(B, EntryNumber, 0, U32), ROOM_FIELD(B, FirstAddress, 4, U32),
                 ROOM_FIELD(B, LastAddress, 8, U32)}),
        Case<S>("TLoudspeakerRecord", 51,
                {ROOM_FIELD(S, SenderNumber, 0, U32), ROOM_FIELD(S, Big, 8, Bool),
                 ROOM_FIELD(S, LinkTextLength, 43, U32), ROOM_FIELD(S, LinkValueLength, 47, U32)}),
    };
}

TEST(RoomRecordsTest, EveryRecordHasItsSizeAndFieldsAtTheirOffsets)
{
    ForEachCase(RecordCases(), [](const auto& c) {
        EXPECT_EQ(c.classSize, c.size);

        // Bytes written by hand read back through the accessors; unused bytes are not zero here.
        TRecord bytes(std::vector<uint8_t>(c.size, 0xEE).data(), c.size);
        for (const auto& f : c.fields)
            WriteField(bytes, f);
        const auto values = c.parse(bytes);
        ASSERT_TRUE(values);
        for (size_t i = 0; i < c.fields.size(); ++i)
            EXPECT_EQ((*values)[i], Expected(c.fields[i])) << c.fields[i].name;

        // The setters write exactly the field's bytes.
        const TRecord built = c.build();
        ASSERT_EQ(built.size(), c.size);
        std::set<size_t> covered;
        for (const auto& f : c.fields) {
            ExpectFieldBytes(built, f);
            Cover(covered, f.off, Width(f));
        }
        ExpectZeroOutside(built, covered);

        // Setting every field again keeps the bytes the client does not read as received.
        EXPECT_EQ(c.rewrite(bytes).bytes(), bytes.bytes());
    });
}

TEST(RoomRecordsTest, BytesOfAnotherSizeAreRefused)
{
    ForEachCase(RecordCases(), [](const auto& c) {
        for (size_t size : {size_t{0}, c.size - 1, c.size + 1}) {
            const TRecord bytes(size);
            EXPECT_FALSE(c.parse(bytes)) << size << " bytes";
        }
    });
}

TEST(RoomRecordsTest, RoomUserRoleDataIsTheRoleFieldsAsOneRecord)
{
    TRoomUser user;
    user.SetRoleKind(7);
    user.SetRolePicture("巡管.bmp");
    user.SetRoleTitle("巡管");
    user.SetRoleColor(0x00FF8000);
    user.SetRoleRank(-3);
    user.setU16(126, 0xBEEF);
    const TRoleData role = user.RoleData();
    EXPECT_EQ(role.RoleKind(), 7);
    EXPECT_EQ(role.RolePicture(), "巡管.bmp");
    EXPECT_EQ(role.RoleTitle(), "巡管");
    EXPECT_EQ(role.RoleColor(), 0x00FF8000u);
    EXPECT_EQ(role.RoleRank(), -3);
    EXPECT_EQ(role.u16(32), 0xBEEF) << "the carried part comes along";

    TLocalUserInfo local;
    local.SetRoleData(role);
    EXPECT_EQ(local.raw(462, 34), user.raw(94, 34));
}

TEST(RoomRecordsTest, RoleKindsFiveToTwelveShowTheRolesPictureColourAndRank)
{
    struct Case {
        int32_t kind;
        bool role;
    } cases[] = {{0, false}, {4, false}, {5, true}, {12, true}, {13, false}, {-5, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        TRoomUser user;
        user.SetLevelPicture("lv.bmp");
        user.SetLevelColor(1);
        user.SetLevelRank(10);
        user.SetRolePicture("role.bmp");
        user.SetRoleColor(2);
        user.SetRoleRank(20);
        user.SetRoleKind(c.kind);
        EXPECT_EQ(user.ShownPicture(), c.role ? "role.bmp" : "lv.bmp");
        EXPECT_EQ(user.ShownColor(), c.role ? 2u : 1u);
        EXPECT_EQ(user.ShownRank(), c.role ? 20 : 10);
    }
}

TEST(RoomRecordsTest, MicStateTextsIgnoreTheTopBit)
{
    struct Case {
        uint8_t state;
        const char* text;
    } cases[] = {
        {0, "不在麦"}, {1, "公麦"}, {2, "私麦(任何人可连接)"}, {3, "私麦(仅好友可连接)"}, {4, "私麦(需确认可连接)"},
        {5, "私麦(收费私麦)"}, {6, "排麦(进入麦序)"}, {0x81, "公麦"}, {0x86, "排麦(进入麦序)"}, {7, ""}, {0xFF, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MicStateText(c.state), c.text) << int(c.state);
}

TEST(RoomRecordsTest, RoomTypesAndMicFlags)
{
    EXPECT_EQ(RoomTypeText(0), "普通房间");
    EXPECT_EQ(RoomTypeText(3), "消费房间");
    EXPECT_EQ(RoomTypeText(4), "");
    EXPECT_EQ(RoomTypeText(-1), "");

    TRoomInfo room;
    // Mic 0 open, mic 1 a free mic but closed, mic 15 open and free.
    room.SetMicFlags(static_cast<int32_t>(0b01u | 0b10u << 2 | 0b11u << 30));
    EXPECT_TRUE(room.MicOpen(0));
    EXPECT_FALSE(room.FreeMic(0));
    EXPECT_FALSE(room.MicOpen(1));
    EXPECT_TRUE(room.FreeMic(1));
    EXPECT_TRUE(room.MicOpen(15));
    EXPECT_TRUE(room.FreeMic(15));
    EXPECT_FALSE(room.MicOpen(16));
}

TEST(RoomRecordsTest, IndexedFieldsOutsideTheirCountThrow)
{
    TRoomInfo room;
    TRoomRights rights;
    EXPECT_THROW(room.DeputyOwner(3), std::out_of_range);
    EXPECT_THROW(room.SetLinkCaption(4, "x"), std::out_of_range);
    EXPECT_THROW(room.LinkAddress(4), std::out_of_range);
    EXPECT_THROW(rights.SetFurtherFlag(4, true), std::out_of_range);
}

TEST(RoomRecordsTest, AChangedRoomKeepsTheReceiversAddressFields)
{
    TRoomInfo own;
    own.SetServerAddress(0x0100007F);
    own.SetHallValue(0x1234);
    TRoomInfo changed;
    changed.SetRoomName("新房间");
    changed.SetServerAddress(0xDEADBEEF);
    changed.SetHallValue(0xFFFF);
    changed.setU8(1239, 0x55);

    changed.KeepAddressOf(own);
    EXPECT_EQ(changed.ServerAddress(), 0x0100007Fu);
    EXPECT_EQ(changed.HallValue(), 0x1234);
    EXPECT_EQ(changed.u8(1239), 0x55) << "only the last six bytes are the receiver's";
    EXPECT_EQ(changed.RoomName(), "新房间");
}

TEST(RoomRecordsTest, ChineseTextsAreCutAtTheirRoomWithoutSplittingACharacter)
{
    struct Case {
        const char* name;
        std::string nickname;
        std::string kept;
        uint8_t length;
    } cases[] = {
        {"fits", "王小明", "王小明", 6},
        {"fills the room exactly", "一二三四五六七八九十一二三四五", "一二三四五六七八九十一二三四五", 30},
        {"would split the last character", "a一二三四五六七八九十一二三四五", "a一二三四五六七八九十一二三四", 29},
        {"ASCII past the room", std::string(40, 'z'), std::string(30, 'z'), 30},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TRoomUser user;
        user.SetNickname(c.nickname);
        EXPECT_EQ(user.u8(8), c.length);
        EXPECT_EQ(user.Nickname(), c.kept);
        EXPECT_EQ(user.HeadPicture(), 0) << "nothing is written past the room";
    }
}

TEST(RoomRecordsTest, IdentityComesFromTheLocalUserTheRoomAndTheTag)
{
    TLocalUserInfo user;
    user.SetUserNumber(880011);
    user.SetHallKey(0xCAFEF00D);
    TRoomInfo room;
    room.SetRoomNumber(1001);
    const TRoomIdentity id = MakeRoomIdentity(user, room, {77, 5});
    EXPECT_EQ(id.user, 880011);
    EXPECT_EQ(id.room, 1001);
    EXPECT_EQ(id.hallKey, 0xCAFEF00Du);
    EXPECT_EQ(id.tag, (TConnectionTag{77, 5}));

    const TRoomHeader header(19012, id);
    EXPECT_EQ(header.Magic(), 824156);
    EXPECT_EQ(header.Code(), 19012);
    EXPECT_EQ(header.Identity().tag, id.tag);
    EXPECT_EQ(header.Identity().hallKey, id.hallKey);
}

} // namespace
} // namespace vlk::roomtest
