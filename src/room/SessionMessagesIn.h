#pragma once
// Server messages of the room session: acknowledgements, the user list, entering and leaving users,
// chat lines, fun words, dice, announcements and game wins.
#include "room/LuxuryRecord.h"
#include "room/RoomCommands.h"
#include "room/RoomMessage.h"
#include "room/RoomUser.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vlk {

// 10022.
class TKeepAliveAck : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kKeepAliveAck;
    static constexpr size_t kMinLength = 26;
    TKeepAliveAck() : TRoomMessage(kCode, kMinLength) {}
    TConnectionTag Tag() const { return {u32(20), u16(24)}; }
    void SetTag(TConnectionTag v) { setU32(20, v.value); setU16(24, v.word); }
};

// 20111: the connection tag and the room's recent luxury gifts.
class TEnterAck : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kEnterAck;
    static constexpr size_t kMinLength = 30;
    static constexpr size_t kRecordsOffset = 34;
    explicit TEnterAck(const std::vector<TLuxuryRecord>& luxury = {});
    bool Fits() const { return RecordsFit(kRecordsOffset, LuxuryCount(), TLuxuryRecord::kSize); }
    TConnectionTag Tag() const { return {u32(20), u16(24)}; }
    void SetTag(TConnectionTag v) { setU32(20, v.value); setU16(24, v.word); }
    int32_t LuxuryCount() const { return i32(26); }
    // None for a count of 0 or less.
    std::vector<TLuxuryRecord> Luxury() const { return RecordsAt<TLuxuryRecord>(kRecordsOffset, LuxuryCount()); }
};

// 20121: one page of the present users.
class TUserListPage : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kUserListPage;
    static constexpr size_t kMinLength = 32;
    explicit TUserListPage(const std::vector<TRoomUser>& users = {});
    bool Fits() const { return RecordsFit(kMinLength, Count(), TRoomUser::kSize); }
    int32_t Count() const { return i32(20); }
    double ServerTime() const { return datetime(24); }
    void SetServerTime(double v) { setDatetime(24, v); }
    std::vector<TRoomUser> Users() const { return RecordsAt<TRoomUser>(kMinLength, Count()); }
};

// 8041.
class TUserEntered : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kUserEntered;
    static constexpr size_t kMinLength = 20 + TRoomUser::kSize;
    TUserEntered() : TRoomMessage(kCode, kMinLength) {}
    uint32_t UserNumber() const { return u32(8); }
    void SetUserNumber(uint32_t v) { setU32(8, v); }
    TRoomUser User() const { return RecordAt<TRoomUser>(*this, 20); }
    void SetUser(const TRoomUser& v) { setRaw(20, RecordView(v)); }
};

// 8016.
class TUserLeft : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kUserLeft;
    static constexpr size_t kMinLength = 12;
    TUserLeft() : TRoomMessage(kCode, kMinLength) {}
    uint32_t UserNumber() const { return u32(8); }
    void SetUserNumber(uint32_t v) { setU32(8, v); }
};

// 9013: a chat line to the room or to one user in public.
class TPublicChat : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kPublicChat;
    static constexpr size_t kMinLength = 61;
    explicit TPublicChat(std::string_view text = {});
    bool Fits() const { return TextFits(kMinLength, TextLength()); }
    uint32_t Sender() const { return u32(8); }
    void SetSender(uint32_t v) { setU32(8, v); }
    // 0: everybody.
    uint32_t Receiver() const { return u32(16); }
    void SetReceiver(uint32_t v) { setU32(16, v); }
    std::string SendTime() const { return text(20, 8); }
    void SetSendTime(const std::string& v) { setText(20, 8, v); }
    bool Private() const { return u8(29) != 0; }
    void SetPrivate(bool v) { setU8(29, v); }
    bool AutoReply() const { return u8(30) != 0; }
    void SetAutoReply(bool v) { setU8(30, v); }
    uint8_t FurtherFlag() const { return u8(31); }
    void SetFurtherFlag(uint8_t v) { setU8(31, v); }
    std::string FontName() const { return text(32, 15); }
    void SetFontName(const std::string& v) { setText(32, 15, v); }
    uint32_t FontSize() const { return u32(48); }
    void SetFontSize(uint32_t v) { setU32(48, v); }
    uint32_t FontColor() const { return u32(52); }
    void SetFontColor(uint32_t v) { setU32(52, v); }
    uint8_t FontStyle() const { return u8(56); }
    void SetFontStyle(uint8_t v) { setU8(56, v); }
    uint32_t TextLength() const { return u32(57); }
    std::string Text() const { return GbkText(kMinLength, TextLength()); }
};

// 19014: a whispered chat line.
class TPrivateChat : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kPrivateChat;
    static constexpr size_t kMinLength = 65;
    explicit TPrivateChat(std::string_view text = {});
    bool Fits() const { return TextFits(kMinLength, TextLength()); }
    uint32_t Receiver() const { return u32(16); }
    void SetReceiver(uint32_t v) { setU32(16, v); }
    uint32_t Sender() const { return u32(20); }
    void SetSender(uint32_t v) { setU32(20, v); }
    std::string SendTime() const { return text(24, 8); }
    void SetSendTime(const std::string& v) { setText(24, 8, v); }
    bool Private() const { return u8(33) != 0; }
    void SetPrivate(bool v) { setU8(33, v); }
    bool AutoReply() const { return u8(34) != 0; }
    void SetAutoReply(bool v) { setU8(34, v); }
    uint8_t FurtherFlag() const { return u8(35); }
    void SetFurtherFlag(uint8_t v) { setU8(35, v); }
    std::string FontName() const { return text(36, 15); }
    void SetFontName(const std::string& v) { setText(36, 15, v); }
    uint32_t FontSize() const { return u32(52); }
    void SetFontSize(uint32_t v) { setU32(52, v); }
    uint32_t FontColor() const { return u32(56); }
    void SetFontColor(uint32_t v) { setU32(56, v); }
    uint8_t FontStyle() const { return u8(60); }
    void SetFontStyle(uint8_t v) { setU8(60, v); }
    uint32_t TextLength() const { return u32(61); }
    std::string Text() const { return GbkText(kMinLength, TextLength()); }
};

// 19015.
class TChatRefused : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kChatRefused;
    static constexpr size_t kMinLength = 24;
    TChatRefused() : TRoomMessage(kCode, kMinLength) {}
    // 1 public level, 2 private level, 3 patrol account.
    int32_t Reason() const { return i32(20); }
    void SetReason(int32_t v) { setI32(20, v); }
};

// 9084. The receiver writes its local time into the send time, so the message must have room for it.
class TFunWordNotice : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kFunWordNotice;
    static constexpr size_t kMinLength = 33;
    TFunWordNotice() : TRoomMessage(kCode, kMinLength) {}
    uint32_t Sender() const { return u32(8); }
    void SetSender(uint32_t v) { setU32(8, v); }
    uint32_t Receiver() const { return u32(16); }
    void SetReceiver(uint32_t v) { setU32(16, v); }
    int32_t FunWordNumber() const { return i32(20); }
    void SetFunWordNumber(int32_t v) { setI32(20, v); }
    std::string SendTime() const { return text(24, 8); }
    void SetSendTime(const std::string& v) { setText(24, 8, v); }
};

// 20023.
class TFunWordResult : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kFunWordResult;
    static constexpr size_t kMinLength = 24;
    TFunWordResult() : TRoomMessage(kCode, kMinLength) {}
    int32_t Result() const { return i32(16); }
    void SetResult(int32_t v) { setI32(16, v); }
    uint32_t RequestTag() const { return u32(20); }
    void SetRequestTag(uint32_t v) { setU32(20, v); }
};

// 8001: a system announcement.
class TAnnouncement : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kAnnouncement;
    static constexpr size_t kMinLength = 221;
    explicit TAnnouncement(std::string_view text = {});
    bool Fits() const { return TextFits(kMinLength, TextLength()); }
    int32_t TextLength() const { return i32(217); }
    std::string Text() const { return GbkText(kMinLength, TextLength()); }
};

// 8006.
class TDiceResult : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kDiceResult;
    static constexpr size_t kMinLength = 24;
    TDiceResult() : TRoomMessage(kCode, kMinLength) {}
    uint32_t UserNumber() const { return u32(8); }
    void SetUserNumber(uint32_t v) { setU32(8, v); }
    int32_t FirstDie() const { return i32(16); }
    void SetFirstDie(int32_t v) { setI32(16, v); }
    int32_t SecondDie() const { return i32(20); }
    void SetSecondDie(int32_t v) { setI32(20, v); }
};

// 8020.
class TGameWin : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kGameWin;
    static constexpr size_t kMinLength = 86;
    TGameWin() : TRoomMessage(kCode, kMinLength) {}
    int32_t UserNumber() const { return i32(8); }
    void SetUserNumber(int32_t v) { setI32(8, v); }
    std::string Nickname() const { return text(16, 30); }
    void SetNickname(const std::string& v) { setText(16, 30, v); }
    std::string GameName() const { return text(47, 34); }
    void SetGameName(const std::string& v) { setText(47, 34, v); }
    int32_t CoinsWon() const { return i32(82); }
    void SetCoinsWon(int32_t v) { setI32(82, v); }
};

} // namespace vlk
