#include "room/AdminMessagesOut.h"
#include "room/GiftMessagesOut.h"
#include "room/MicMessagesOut.h"
#include "room/SessionMessagesOut.h"
#include "room/FieldTable.h"

#include <gtest/gtest.h>

namespace vlk::roomtest {
namespace {

constexpr auto H = THeaderKind::H;
constexpr auto H0 = THeaderKind::H0;

template <class M>
TMessageCase Out(const char* name, int32_t code, size_t length, THeaderKind header, std::vector<TField<M>> fields = {})
{
    return MessageCase<M>(name, code, length, header, std::move(fields));
}

// Every message the client sends: code, length, header and body fields. Variable messages are listed
// with an empty text; their texts have their own tests.
std::vector<TMessageCase> ClientMessages()
{
    return {
        Out<TKeepAlive>("keep-alive", 10021, 32, H),
        Out<TEnterRoom>("enter room", 20013, 43, H0,
                        {ROOM_FIELD(TEnterRoom, ClientID, 26, U32), ROOM_TEXT(TEnterRoom, MacAddress, 30, 12)}),
        Out<TLeaveRoom>("leave room", 20015, 26, H),
        Out<TMicAddressRequest>("ask a user's mic address", 20120, 30, H0,
                                {ROOM_FIELD(TMicAddressRequest, User, 20, U32),
                                 ROOM_GET(TMicAddressRequest, "tag value", 24, U32, kIdentity.tag.value, m.Tag().value),
                                 ROOM_GET(TMicAddressRequest, "tag word", 28, U16, kIdentity.tag.word, m.Tag().word)}),
        Out<TChat>("chat", 19012, 75, H,
                   {ROOM_FIELD(TChat, Receiver, 26, U32), ROOM_TEXT(TChat, SendTime, 30, 8), ROOM_FIELD(TChat, Private, 39, Bool),
                    ROOM_FIELD(TChat, AutoReply, 40, Bool), ROOM_TEXT(TChat, FontName, 46, 15),
                    ROOM_FIELD(TChat, FontSize, 62, U32), ROOM_FIELD(TChat, FontColor, 66, U32),
                    ROOM_FIELD(TChat, FontStyle, 70, U8), ROOM_GET(TChat, "text length", 71, U32, 0, m.TextLength())}),
        Out<TFunWord>("fun word", 20022, 81, H,
                      {ROOM_FIELD(TFunWord, Receiver, 26, U32), ROOM_FIELD(TFunWord, FunWordNumber, 30, U32)}),
        Out<TDice>("dice", 81041, 32, H0),
        Out<TSendGift>("gift", 20020, 81, H,
                   {ROOM_FIELD(TSendGift, Receiver, 26, U32), ROOM_FIELD(TSendGift, GiftNumber, 30, U32),
                    ROOM_FIELD(TSendGift, Count, 34, U32), ROOM_FIELD(TSendGift, GiftKind, 38, U8),
                    ROOM_FIELD(TSendGift, Anonymous, 39, Bool), ROOM_TEXT(TSendGift, Dedication, 40, 40)}),
        Out<TExchangeGifts>("exchange gifts", 20030, 63, H,
                            {ROOM_TEXT(TExchangeGifts, Password, 26, 32), ROOM_FIELD(TExchangeGifts, GiftValue, 59, U32)}),
        Out<TLoudspeaker>("loudspeaker", 81018, 118, H,
                          {ROOM_TEXT(TLoudspeaker, Nickname, 32, 30),
                           ROOM_GET(TLoudspeaker, "text length", 114, U32, 0, m.TextLength())}),
        Out<TSendSeal>("seal", 20018, 38, H, {ROOM_FIELD(TSendSeal, User, 26, U32), ROOM_FIELD(TSendSeal, SealNumber, 30, U32)}),
        Out<TClearSeal>("clear seal", 20218, 38, H,
                        {ROOM_FIELD(TClearSeal, Requester, 26, U32), ROOM_FIELD(TClearSeal, User, 30, U32),
                         ROOM_FIELD(TClearSeal, SealNumber, 34, U32)}),
        Out<TMicRequest>("mic request", 30001, 31, H,
                         {ROOM_FIELD(TMicRequest, MicKind, 26, U8), ROOM_FIELD(TMicRequest, GiftNumber, 27, I16),
                          ROOM_FIELD(TMicRequest, GiftCount, 29, I16)}),
        Out<TLeaveMic>("leave mic", 30021, 26, H),
        Out<TTakeDown>("take a user down", 30011, 30, H, {ROOM_FIELD(TTakeDown, User, 26, U32)}),
        Out<THoldUp>("hold a user up", 30031, 37, H, {ROOM_FIELD(THoldUp, User, 33, U32)}),
        Out<TAddMicTime>("add mic time", 30033, 31, H, {ROOM_FIELD(TAddMicTime, User, 26, U32)}),
        Out<TMoveInMicQueue>("move in the mic queue", 30035, 40, H,
                             {ROOM_FIELD(TMoveInMicQueue, User, 31, U32), ROOM_FIELD(TMoveInMicQueue, QueueIndex, 35, U32),
                              ROOM_FIELD(TMoveInMicQueue, Move, 39, U8)}),
        Out<TOneToOneRequest>("one-to-one request", 20091, 33, H, {ROOM_FIELD(TOneToOneRequest, User, 26, U32)}),
        Out<TOneToOneAnswer>("one-to-one answer", 20092, 25, H0,
                             {ROOM_FIELD(TOneToOneAnswer, RequestingUser, 20, U32),
                              ROOM_FIELD(TOneToOneAnswer, Accept, 24, Bool)}),
        Out<TWatchPaidMic>("watch a paid private mic", 21105, 43, H0,
                           {ROOM_FIELD(TWatchPaidMic, MicOwner, 20, U32), ROOM_FIELD(TWatchPaidMic, GiftNumber, 24, I32),
                            ROOM_FIELD(TWatchPaidMic, GiftCount, 28, I32),
                            ROOM_GET(TWatchPaidMic, "tag value", 32, U32, kIdentity.tag.value, m.Tag().value),
                            ROOM_GET(TWatchPaidMic, "tag word", 36, U16, kIdentity.tag.word, m.Tag().word)}),
        Out<TStopWatchingPrivateMic>("stop watching a private mic", 21098, 61, H0,
                                     {ROOM_FIELD(TStopWatchingPrivateMic, MicOwner, 57, U32)}),
        Out<TBanPrivateMicViewer>("ban a viewer of my private mic", 21099, 30, H0,
                                  {ROOM_FIELD(TBanPrivateMicViewer, Viewer, 26, U32)}),
        Out<TRecordRequest>("ask to record a user", 81014, 92, H, {ROOM_FIELD(TRecordRequest, User, 57, U32)}),
        Out<TRecordAnswer>("answer a recording request", 81015, 26, THeaderKind::None,
                           {ROOM_GET(TRecordAnswer, "local user", 8, I32, kIdentity.user, m.LocalUser()),
                            ROOM_GET(TRecordAnswer, "room", 12, I32, kIdentity.room, m.RoomNumber()),
                            ROOM_FIELD(TRecordAnswer, LocalMicState, 20, U8),
                            ROOM_FIELD(TRecordAnswer, RequestingUser, 21, U32), ROOM_FIELD(TRecordAnswer, Consent, 25, Bool)}),
        Out<TUserInformationRequest>("user information", 19001, 30, H, {ROOM_FIELD(TUserInformationRequest, User, 26, U32)}),
        Out<TUserAddressRequest>("IP address of a user", 19009, 32, H0, {ROOM_FIELD(TUserAddressRequest, User, 20, U32)}),
        Out<TKick>("kick", 19003, 31, H, {ROOM_FIELD(TKick, Kind, 26, U8), ROOM_FIELD(TKick, User, 27, U32)}),
        Out<TMute>("mute or unmute", 19111, 31, H, {ROOM_FIELD(TMute, Operation, 26, U8), ROOM_FIELD(TMute, User, 27, U32)}),
        Out<TAddTempAdmin>("add temporary admin", 19017, 30, H, {ROOM_FIELD(TAddTempAdmin, User, 26, U32)}),
        Out<TRemoveTempAdmin>("remove temporary admin", 80027, 30, H, {ROOM_FIELD(TRemoveTempAdmin, User, 26, U32)}),
        Out<TAddAdmin>("add admin", 80101, 30, H, {ROOM_FIELD(TAddAdmin, User, 26, U32)}),
        Out<TRemoveAdmin>("remove admin", 80103, 30, H, {ROOM_FIELD(TRemoveAdmin, User, 26, U32)}),
        Out<TAddToBlacklist>("add to the blacklist", 80105, 30, H, {ROOM_FIELD(TAddToBlacklist, User, 26, U32)}),
        Out<TRemoveFromBlacklist>("remove from the blacklist", 80107, 30, H, {ROOM_FIELD(TRemoveFromBlacklist, User, 26, U32)}),
        Out<TPublishNotice>("room notice", 10187, 34, H, {ROOM_GET(TPublishNotice, "text length", 30, U32, 0, m.TextLength())}),
        Out<TAddToFavourites>("add the room to favourites", 19019, 26, H),
        Out<TRoomSettingsRequest>("room settings request", 80001, 26, H),
        Out<TSaveRoomSettings>("save room settings", 80003, 1272, H, {ROOM_RECORD(TSaveRoomSettings, Room, 26, TRoomInfo)}),
        Out<TBlacklistRequest>("blacklist request", 80004, 26, H),
        Out<TBlockedAddressesRequest>("blocked addresses request", 80007, 26, H),
        Out<TAdminListRequest>("admin list request", 80010, 26, H),
        Out<TTempAdminListRequest>("temporary admin list request", 80025, 26, H),
        Out<TChangeBlockedAddress>("blocked address", 80009, 44, H,
                                   {ROOM_FIELD(TChangeBlockedAddress, Operation, 26, I16),
                                    ROOM_FIELD(TChangeBlockedAddress, EntryNumber, 28, U32),
                                    ROOM_FIELD(TChangeBlockedAddress, StartAddress, 32, U32),
                                    ROOM_FIELD(TChangeBlockedAddress, EndAddress, 36, U32)}),
        Out<TSetRoomTextStyle>("room text style", 80014, 127, H, {ROOM_TEXT(TSetRoomTextStyle, Style, 26, 100)}),
        Out<TChangeDeputyOwner>("deputy owner", 80015, 32, H,
                                {ROOM_FIELD(TChangeDeputyOwner, Operation, 26, I16), ROOM_FIELD(TChangeDeputyOwner, User, 28, U32)}),
    };
}

TEST(RoomMessagesOutTest, EveryMessageHasItsCodeLengthHeaderAndFieldsAtTheirOffsets)
{
    ForEachCase(ClientMessages(), [](const auto& c) {
        EXPECT_EQ(c.classCode, c.code);
        EXPECT_EQ(c.classLength, c.length);

        const TRecord m = c.build();
        ASSERT_EQ(m.size(), c.length);
        EXPECT_EQ(m.i32(0), 824156);
        EXPECT_EQ(m.i32(4), c.code);
        std::set<size_t> covered;
        Cover(covered, 0, 8);
        if (c.header != THeaderKind::None) {
            EXPECT_EQ(m.i32(8), kIdentity.user);
            EXPECT_EQ(m.i32(12), kIdentity.room);
            EXPECT_EQ(m.u32(16), kIdentity.hallKey);
            Cover(covered, 8, 12);
        }
        if (c.header == THeaderKind::H) {
            EXPECT_EQ(m.u32(20), kIdentity.tag.value);
            EXPECT_EQ(m.u16(24), kIdentity.tag.word);
            Cover(covered, 20, 6);
        }
        for (const auto& f : c.fields) {
            ExpectFieldBytes(m, f);
            Cover(covered, f.off, Width(f));
        }
        // Includes the H0 messages' offsets 20 to 25, which carry no connection tag.
        ExpectZeroOutside(m, covered);
    });
}

// The loopback server reads the same classes.
TEST(RoomMessagesOutTest, EveryMessageParsesBackAndOneByteShortIsRefused)
{
    ForEachCase(ClientMessages(), [](const auto& c) {
        ExpectParsedAtLeastLength(c);
        ExpectParsedValues(c, c.parse(c.build()));
    });
}

TEST(RoomMessagesOutTest, TheVariableMessagesCarryTheirTextsGbkAfterTheirLength)
{
    struct Case {
        const char* name;
        std::function<TRecord(std::string_view)> build;
        int32_t code;
        size_t lengthOffset;
        size_t textOffset;
    } cases[] = {
        {"chat", [](std::string_view t) { return TRecord(TChat(kIdentity, t)); }, 19012, 71, 75},
        {"room notice", [](std::string_view t) { return TRecord(TPublishNotice(kIdentity, t)); }, 10187, 30, 34},
        {"loudspeaker", [](std::string_view t) { return TRecord(TLoudspeaker(kIdentity, t)); }, 81018, 114, 118},
    };
    const std::string text = "大家好，欢迎光临 Welcome!";
    const std::string gbk = Utf8ToGbk(text);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TRecord m = c.build(text);
        EXPECT_EQ(m.i32(4), c.code);
        ASSERT_EQ(m.size(), c.textOffset + gbk.size()) << "allocated at the exact length";
        EXPECT_EQ(m.u32(c.lengthOffset), gbk.size());
        EXPECT_EQ(m.raw(c.textOffset, gbk.size()), gbk);
    }
}

TEST(RoomMessagesOutTest, ChatTextIsCutAtOneThousandBytesWithoutSplittingACharacter)
{
    struct Case {
        const char* name;
        std::string text;
        size_t bytes;
    } cases[] = {
        {"1000 bytes", std::string(1000, 'a'), 1000},
        {"1200 bytes", std::string(1200, 'b'), 1000},
        {"a character across the limit", std::string(999, 'c') + "汉字", 999},
        {"a character ending on the limit", std::string(998, 'd') + "汉字", 1000},
        {"empty", "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TChat chat(kIdentity, c.text);
        EXPECT_EQ(chat.size(), 75 + c.bytes);
        EXPECT_EQ(chat.TextLength(), c.bytes);
        EXPECT_EQ(chat.Text(), GbkToUtf8(Utf8ToGbkLimited(c.text, 1000)));
    }
}

TEST(RoomMessagesOutTest, NoticeAndLoudspeakerTextsAreCutToWhatTheChannelCarries)
{
    const std::string huge(70000, 'n');
    EXPECT_EQ(TPublishNotice(kIdentity, huge).size(), kMaxRoomMessage);
    EXPECT_EQ(TLoudspeaker(kIdentity, huge).size(), kMaxRoomMessage);
}

TEST(RoomMessagesOutTest, TheLoudspeakerRecordGoesOutWithTheSendersNumber)
{
    TLoudspeakerRecord record;
    for (size_t i = 0; i < record.size(); ++i)
        record.setU8(i, static_cast<uint8_t>(0xA0 + i));
    TLoudspeaker message(kIdentity, "喇叭");
    message.SetRecord(record);
    EXPECT_EQ(message.i32(63), kIdentity.user);
    EXPECT_EQ(message.raw(67, 47), record.raw(4, 47));
    EXPECT_EQ(message.u32(114), 4u) << "the record does not reach the text length";
    EXPECT_EQ(message.Text(), "喇叭");
}

} // namespace
} // namespace vlk::roomtest
