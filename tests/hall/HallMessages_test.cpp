// Every hall message against its layout: built with the class's setters, read back with plain
// record accessors at the documented offsets (and the other way round for what the client parses).
#include "hall/HallMessages.h"

#include <gtest/gtest.h>

#include <variant>

using namespace vlk;

namespace {

enum class W { I32, U32, I16, U16, U8, F64, Text };
struct Field {
    size_t off;
    W kind;
    std::variant<int64_t, double, std::string> value;
    size_t room = 0;   // texts
};

void CheckFields(const TRecord& r, const std::vector<Field>& fields, const std::string& name)
{
    for (const auto& f : fields) {
        SCOPED_TRACE(name + " @" + std::to_string(f.off));
        switch (f.kind) {
        case W::I32: EXPECT_EQ(r.i32(f.off), std::get<int64_t>(f.value)); break;
        case W::U32: EXPECT_EQ(r.u32(f.off), std::get<int64_t>(f.value)); break;
        case W::I16: EXPECT_EQ(r.i16(f.off), std::get<int64_t>(f.value)); break;
        case W::U16: EXPECT_EQ(r.u16(f.off), std::get<int64_t>(f.value)); break;
        case W::U8: EXPECT_EQ(r.u8(f.off), std::get<int64_t>(f.value)); break;
        case W::F64: EXPECT_EQ(r.f64(f.off), std::get<double>(f.value)); break;
        case W::Text: EXPECT_EQ(r.text(f.off, f.room), std::get<std::string>(f.value)); break;
        }
    }
}

struct Out {
    std::string name;
    TRecord bytes;
    int32_t code;
    size_t length;
    std::vector<Field> fields;
};

} // namespace

TEST(HallMessages, ClientMessagesMatchTheirLayout)
{
    THallProbe probe;
    probe.SetHallKey(0xA1B2C3D4);
    probe.SetUserID(-10001);
    THallLogin login;
    login.SetNonce(0xF1E2D3C4);
    login.SetUserID(10001);
    login.SetPasswordDigest("0123456789abcdef0123456789abcdef");
    login.SetMacAddress("00AABBCCDDEE");
    THallKeepAlive keepAlive;
    keepAlive.SetUserID(10001);
    keepAlive.SetHallKey(0xA1B2C3D4);
    keepAlive.SetSessionValue(0xC5D6E7F8);
    keepAlive.SetSessionWord(0x9ABC);
    THallLogout logout;
    logout.SetHallKey(0xA1B2C3D4);
    logout.SetUserID(10001);
    logout.SetSessionValue(0xC5D6E7F8);
    logout.SetSessionWord(0x9ABC);
    THallEnterRoom enter;
    enter.SetHallKey(0xA1B2C3D4);
    enter.SetUserID(10001);
    enter.SetRoomID(502);
    enter.SetSessionValue(0xC5D6E7F8);
    enter.SetSessionWord(0x9ABC);
    TRoomInfoRequest info;
    info.SetUserID(10001);
    info.SetRoomID(502);
    info.SetHallKey(0xA1B2C3D4);
    info.SetPasswordDigest("0123456789abcdef0123456789abcdef");
    info.SetRoomPassword("房间密码八八八八八八八八");   // 24 GBK bytes: cut to the 20 the field holds
    info.SetCameraPresent(1);
    info.SetLinkChoice(7);
    info.SetTargetAddress(0x0100007F);
    info.SetTargetPort(20022);
    THallWebGameResult game;
    game.SetUserID(10001);
    game.SetNickname("小明");
    game.SetGameName("连连看");
    game.SetFirstValue(-3);
    game.SetSecondValue(99);
    TRegistrationRecord record;
    record.SetNickname("新人");
    record.SetPasswordDigest("0123456789abcdef0123456789abcdef");
    record.SetSex(1);
    record.SetAge(30);
    record.SetNote("你好");
    record.SetMacAddress("00AABBCCDDEE");
    THallRegister reg;
    reg.SetRecord(record);

    const std::string digest = "0123456789abcdef0123456789abcdef";
    const std::vector<Out> rows = {
        {"10008", probe, 10008, 78, {{8, W::U32, int64_t{0xA1B2C3D4}}, {12, W::I32, int64_t{-10001}}}},
        {"11000", login, 11000, 78,
         {{8, W::U32, int64_t{0xF1E2D3C4}}, {12, W::I32, int64_t{10001}}, {16, W::Text, digest, 32},
          {49, W::Text, std::string("00AABBCCDDEE"), 12}}},
        {"10021", keepAlive, 10021, 32,
         {{8, W::I32, int64_t{10001}}, {16, W::U32, int64_t{0xA1B2C3D4}}, {20, W::U32, int64_t{0xC5D6E7F8}},
          {24, W::U16, int64_t{0x9ABC}}}},
        {"11002", logout, 11002, 28,
         {{8, W::U32, int64_t{0xA1B2C3D4}}, {12, W::I32, int64_t{10001}}, {16, W::U32, int64_t{0xC5D6E7F8}},
          {20, W::U16, int64_t{0x9ABC}}}},
        {"20007", enter, 20007, 34,
         {{8, W::U32, int64_t{0xA1B2C3D4}}, {12, W::I32, int64_t{10001}}, {16, W::I32, int64_t{502}},
          {20, W::U32, int64_t{0xC5D6E7F8}}, {24, W::U16, int64_t{0x9ABC}}}},
        {"20010", info, 20010, 92,
         {{8, W::I32, int64_t{10001}}, {12, W::I32, int64_t{502}}, {16, W::U32, int64_t{0xA1B2C3D4}},
          {24, W::Text, digest, 32}, {57, W::Text, std::string("房间密码八八八八八八"), 20}, {78, W::U8, int64_t{1}},
          {79, W::U8, int64_t{7}}, {86, W::U32, int64_t{0x0100007F}}, {90, W::U16, int64_t{20022}}}},
        {"8020", game, 8020, 92,
         {{8, W::I32, int64_t{10001}}, {16, W::Text, std::string("小明"), 30}, {47, W::Text, std::string("连连看"), 30},
          {78, W::I32, int64_t{-3}}, {82, W::I32, int64_t{99}}}},
        {"10001", reg, 10001, 586,
         {{24, W::Text, std::string("新人"), 30}, {55, W::Text, digest, 32}, {90, W::I16, int64_t{1}},
          {92, W::I16, int64_t{30}}, {320, W::Text, std::string("你好"), 250}, {571, W::Text, std::string("00AABBCCDDEE"), 12}}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.bytes.i32(0), 824156) << row.name;
        EXPECT_EQ(row.bytes.i32(4), row.code) << row.name;
        EXPECT_EQ(row.bytes.size(), row.length) << row.name;
        CheckFields(row.bytes, row.fields, row.name);
    }
}

namespace {

template <class M>
void ExpectShortRefused(const TRecord& full)
{
    EXPECT_TRUE(ParseAs<M>(full.data(), full.size()));
    EXPECT_FALSE(ParseAs<M>(full.data(), M::kMinLength - 1)) << M::kCode;
}

TRecord Envelope(int32_t code, size_t length)
{
    TRecord r(length);
    r.setI32(0, 824156);
    r.setI32(4, code);
    return r;
}

} // namespace

TEST(HallMessages, ServerMessagesAreReadAtTheirOffsetsAndShortOnesRefused)
{
    TRecord answer = Envelope(11001, 792 + 6);
    answer.setText(8, 64, "错误");
    answer.setI32(73, -7);
    answer.setText(77, 100, "http://hall/");
    answer.setText(178, 100, "http://second/");
    answer.setI32(279, 10001);
    answer.setText(279 + 70, 30, "小明");
    answer.setI32(279 + 478, 3);
    answer.setI32(784, 6);
    answer.setRaw(792, "\xBB\xB5\xBB\xB0|x");   // 坏话|x in GBK
    const auto login = ParseAs<THallLoginAnswer>(answer.data(), answer.size());
    ASSERT_TRUE(login);
    EXPECT_EQ(login->ErrorText(), "错误");
    EXPECT_EQ(login->MediaValue(), -7);
    EXPECT_EQ(login->HallPageURL(), "http://hall/");
    EXPECT_EQ(login->SecondURL(), "http://second/");
    EXPECT_EQ(login->UserInfo().UserID(), 10001);
    EXPECT_EQ(login->UserInfo().Nickname(), "小明");
    EXPECT_EQ(login->UserInfo().RoomLimit(), 3);
    EXPECT_EQ(login->ChatFilter(), "坏话|x");
    answer.setI32(784, 7);   // announces a byte more than it carries
    EXPECT_FALSE(ParseAs<THallLoginAnswer>(answer.data(), answer.size()));
    answer.setI32(784, -1);
    EXPECT_FALSE(ParseAs<THallLoginAnswer>(answer.data(), answer.size()));

    TRecord keep = Envelope(10022, 26);
    keep.setU32(20, 0xC5D6E7F8);
    keep.setU16(24, 0x9ABC);
    EXPECT_EQ(ParseAs<THallKeepAliveAnswer>(keep.data(), keep.size())->SessionValue(), 0xC5D6E7F8u);
    EXPECT_EQ(ParseAs<THallKeepAliveAnswer>(keep.data(), keep.size())->SessionWord(), 0x9ABC);
    ExpectShortRefused<THallKeepAliveAnswer>(keep);

    TRecord elsewhere = Envelope(11003, 12);
    elsewhere.setI32(8, 10001);
    EXPECT_EQ(ParseAs<THallLoggedInElsewhere>(elsewhere.data(), elsewhere.size())->UserID(), 10001);
    ExpectShortRefused<THallLoggedInElsewhere>(elsewhere);

    TRecord entered = Envelope(20008, 24);
    entered.setI32(12, 502);
    entered.setI32(16, 4);
    entered.setI32(20, 2);
    const auto e = ParseAs<THallEnterRoomAnswer>(entered.data(), entered.size());
    EXPECT_EQ(e->RoomID(), 502);
    EXPECT_EQ(e->Result(), 4);
    EXPECT_EQ(e->Line(), 2);
    ExpectShortRefused<THallEnterRoomAnswer>(entered);

    TRecord room = Envelope(20011, 2210);
    room.setI32(12, 502);
    room.setText(20, 50, "房间密码错误");
    room.setI32(71, 10001);
    room.setI32(952, 502);
    room.setU32(2204, 0x0100007F);
    room.setU16(2208, 20022);
    const auto r = ParseAs<TRoomInfoAnswer>(room.data(), room.size());
    EXPECT_EQ(r->ErrorText(), "房间密码错误");
    EXPECT_EQ(TRecord(r->LocalUserBytes().data(), 881).i32(0), 10001);
    EXPECT_EQ(TRecord(r->RoomInfoBytes().data(), 1246).i32(0), 502);
    EXPECT_EQ(r->ServerAddress(), 0x0100007Fu);
    EXPECT_EQ(r->ServerPort(), 20022);
    ExpectShortRefused<TRoomInfoAnswer>(room);

    TRecord stars = Envelope(11012, 18 + 16);
    stars.setI32(8, 2);
    stars.setI32(18, 10001);
    stars.setI32(22, 5);
    stars.setI32(26, 10002);
    stars.setI32(30, 6);
    EXPECT_EQ(ParseAs<THallMonthStars>(stars.data(), stars.size())->Pairs(),
              (std::vector<TStarPair>{{10001, 5}, {10002, 6}}));
    EXPECT_FALSE(ParseAs<THallWeekStars>(stars.data(), stars.size())) << "another code";
    EXPECT_FALSE(ParseAs<THallMonthStars>(stars.data(), stars.size() - 1)) << "a pair cut short";

    TRecord kq = Envelope(11020, 123);
    kq.setU8(14, 3);
    kq.setF64(15, 46000.25);
    kq.setI32(23, 10002);
    kq.setI32(27 + 36, 10002);
    const auto k = ParseAs<THallKingQueen>(kq.data(), kq.size());
    EXPECT_EQ(k->EventKind(), 3);
    EXPECT_EQ(k->ServerTime(), 46000.25);
    EXPECT_EQ(k->UserID(), 10002);
    EXPECT_EQ(TRecord(k->Record().data(), 96).i32(36), 10002);
    ExpectShortRefused<THallKingQueen>(kq);

    TRecord rights = Envelope(12020, 750);
    rights.setU8(14, 1);
    rights.setU8(382, 2);
    const auto kr = ParseAs<THallKingQueenRights>(rights.data(), rights.size());
    EXPECT_EQ(kr->KingRights()[0], 1);
    EXPECT_EQ(kr->QueenRights()[0], 2);
    ExpectShortRefused<THallKingQueenRights>(rights);

    TRecord registered = Envelope(10002, 586);
    registered.setI32(20, 10005);
    registered.setI16(584, -1);
    EXPECT_EQ(ParseAs<THallRegisterAnswer>(registered.data(), registered.size())->NewUserID(), 10005);
    EXPECT_EQ(ParseAs<THallRegisterAnswer>(registered.data(), registered.size())->Result(), -1);
    ExpectShortRefused<THallRegisterAnswer>(registered);

    THallProbeAnswer probe;
    probe.SetSenderAddress(0x0100007F);
    probe.SetSenderPort(23456);
    EXPECT_EQ(probe.u32(22), 0x0100007Fu);
    EXPECT_EQ(probe.u16(26), 23456);
}
