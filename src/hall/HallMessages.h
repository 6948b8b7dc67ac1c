#pragma once
// The messages between the client and the hall and room-information servers, and registration.
// Each fixes its command code, the length its sender hands to the channel, and the least length a
// receiver needs for the fields it reads (kMinLength, checked by ParseAs).
#include "hall/HallUserInfo.h"
#include "net/Message.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vlk {

inline constexpr uint16_t kHallPort = 23456;
// Room-information servers of lines 1, 2 and 3; 0 for any other line.
inline constexpr uint16_t RoomLinePort(int32_t line) { return line == 1 ? 20011 : line == 2 ? 20022 : line == 3 ? 20033 : 0; }

namespace detail {
inline std::string_view Bytes(const TRecord& r) { return {reinterpret_cast<const char*>(r.data()), r.size()}; }
} // namespace detail

// 10008, client to every hall server.
class THallProbe : public TMessage {
public:
    static constexpr int32_t kCode = 10008;
    static constexpr size_t kLength = 78, kMinLength = 16;
    using TMessage::TMessage;
    THallProbe() : TMessage(kCode, kLength) {}
    uint32_t HallKey() const { return u32(8); }
    void SetHallKey(uint32_t v) { setU32(8, v); }
    int32_t UserID() const { return i32(12); }
    void SetUserID(int32_t v) { setI32(12, v); }
};

// 10009: only its sender matters; the client's receive path writes it into the message.
class THallProbeAnswer : public TMessage {
public:
    static constexpr int32_t kCode = 10009;
    static constexpr size_t kLength = 28, kMinLength = 28;
    using TMessage::TMessage;
    THallProbeAnswer() : TMessage(kCode, kLength) {}
    uint32_t SenderAddress() const { return u32(22); }
    void SetSenderAddress(uint32_t v) { setU32(22, v); }
    uint16_t SenderPort() const { return u16(26); }
    void SetSenderPort(uint16_t v) { setU16(26, v); }
};

// 11000, client to the server that answered the probe.
class THallLogin : public TMessage {
public:
    static constexpr int32_t kCode = 11000;
    static constexpr size_t kLength = 78, kMinLength = 62;
    using TMessage::TMessage;
    THallLogin() : TMessage(kCode, kLength) {}
    uint32_t Nonce() const { return u32(8); }
    void SetNonce(uint32_t v) { setU32(8, v); }
    int32_t UserID() const { return i32(12); }
    void SetUserID(int32_t v) { setI32(12, v); }
    std::string PasswordDigest() const { return text(16, 32); }
    void SetPasswordDigest(const std::string& v) { setText(16, 32, v); }
    std::string MacAddress() const { return text(49, 12); }
    void SetMacAddress(const std::string& v) { setText(49, 12, v); }
};

// 11001: the error text is empty on success; the word filter follows the fixed part.
class THallLoginAnswer : public TMessage {
public:
    static constexpr int32_t kCode = 11001;
    static constexpr size_t kFilterOffset = 792, kMinLength = kFilterOffset;
    using TMessage::TMessage;
    explicit THallLoginAnswer(const std::string& chatFilter);
    std::string ErrorText() const { return text(8, 64); }
    void SetErrorText(const std::string& v) { setText(8, 64, v); }
    int32_t MediaValue() const { return i32(73); }
    void SetMediaValue(int32_t v) { setI32(73, v); }
    std::string HallPageURL() const { return text(77, 100); }
    void SetHallPageURL(const std::string& v) { setText(77, 100, v); }
    std::string SecondURL() const { return text(178, 100); }
    void SetSecondURL(const std::string& v) { setText(178, 100, v); }
    THallUserInfo UserInfo() const { return THallUserInfo(data() + 279, THallUserInfo::kSize); }
    void SetUserInfo(const THallUserInfo& v) { setRaw(279, detail::Bytes(v)); }
    int32_t FilterLength() const { return i32(784); }
    std::string ChatFilter() const;
    bool Fits() const { return FilterLength() >= 0 && kFilterOffset + static_cast<size_t>(FilterLength()) <= size(); }
};

// 10021, every 30 s while logged in.
class THallKeepAlive : public TMessage {
public:
    static constexpr int32_t kCode = 10021;
    static constexpr size_t kLength = 32, kMinLength = 26;
    using TMessage::TMessage;
    THallKeepAlive() : TMessage(kCode, kLength) {}
    int32_t UserID() const { return i32(8); }
    void SetUserID(int32_t v) { setI32(8, v); }
    uint32_t HallKey() const { return u32(16); }
    void SetHallKey(uint32_t v) { setU32(16, v); }
    uint32_t SessionValue() const { return u32(20); }
    void SetSessionValue(uint32_t v) { setU32(20, v); }
    uint16_t SessionWord() const { return u16(24); }
    void SetSessionWord(uint16_t v) { setU16(24, v); }
};

// 10022: the new session value and word.
class THallKeepAliveAnswer : public TMessage {
public:
    static constexpr int32_t kCode = 10022;
    static constexpr size_t kLength = 26, kMinLength = 26;
    using TMessage::TMessage;
    THallKeepAliveAnswer() : TMessage(kCode, kLength) {}
    uint32_t SessionValue() const { return u32(20); }
    void SetSessionValue(uint32_t v) { setU32(20, v); }
    uint16_t SessionWord() const { return u16(24); }
    void SetSessionWord(uint16_t v) { setU16(24, v); }
};

// 11002, once when the hall closes.
class THallLogout : public TMessage {
public:
    static constexpr int32_t kCode = 11002;
    static constexpr size_t kLength = 28, kMinLength = 22;
    using TMessage::TMessage;
    THallLogout() : TMessage(kCode, kLength) {}
    uint32_t HallKey() const { return u32(8); }
    void SetHallKey(uint32_t v) { setU32(8, v); }
    int32_t UserID() const { return i32(12); }
    void SetUserID(int32_t v) { setI32(12, v); }
    uint32_t SessionValue() const { return u32(16); }
    void SetSessionValue(uint32_t v) { setU32(16, v); }
    uint16_t SessionWord() const { return u16(20); }
    void SetSessionWord(uint16_t v) { setU16(20, v); }
};

// 11003: the number logged in somewhere else.
class THallLoggedInElsewhere : public TMessage {
public:
    static constexpr int32_t kCode = 11003;
    static constexpr size_t kLength = 12, kMinLength = 12;
    using TMessage::TMessage;
    THallLoggedInElsewhere() : TMessage(kCode, kLength) {}
    int32_t UserID() const { return i32(8); }
    void SetUserID(int32_t v) { setI32(8, v); }
};

// 20007, step one of entering a room.
class THallEnterRoom : public TMessage {
public:
    static constexpr int32_t kCode = 20007;
    static constexpr size_t kLength = 34, kMinLength = 26;
    using TMessage::TMessage;
    THallEnterRoom() : TMessage(kCode, kLength) {}
    uint32_t HallKey() const { return u32(8); }
    void SetHallKey(uint32_t v) { setU32(8, v); }
    int32_t UserID() const { return i32(12); }
    void SetUserID(int32_t v) { setI32(12, v); }
    int32_t RoomID() const { return i32(16); }
    void SetRoomID(int32_t v) { setI32(16, v); }
    uint32_t SessionValue() const { return u32(20); }
    void SetSessionValue(uint32_t v) { setU32(20, v); }
    uint16_t SessionWord() const { return u16(24); }
    void SetSessionWord(uint16_t v) { setU16(24, v); }
};

// 20008: result 0 names the room's line.
class THallEnterRoomAnswer : public TMessage {
public:
    static constexpr int32_t kCode = 20008;
    static constexpr size_t kLength = 24, kMinLength = 24;
    enum Result : int32_t { Accepted = 0, NoSuchRoom = 1, ServerClosed = 2, NotLoggedIn = 3, PopularOnly = 4 };
    using TMessage::TMessage;
    THallEnterRoomAnswer() : TMessage(kCode, kLength) {}
    int32_t RoomID() const { return i32(12); }
    void SetRoomID(int32_t v) { setI32(12, v); }
    int32_t Result() const { return i32(16); }
    void SetResult(int32_t v) { setI32(16, v); }
    int32_t Line() const { return i32(20); }
    void SetLine(int32_t v) { setI32(20, v); }
};

// 20010, step two: to the room-information server of the room's line.
class TRoomInfoRequest : public TMessage {
public:
    static constexpr int32_t kCode = 20010;
    static constexpr size_t kLength = 92, kMinLength = 92;
    using TMessage::TMessage;
    TRoomInfoRequest() : TMessage(kCode, kLength) {}
    int32_t UserID() const { return i32(8); }
    void SetUserID(int32_t v) { setI32(8, v); }
    int32_t RoomID() const { return i32(12); }
    void SetRoomID(int32_t v) { setI32(12, v); }
    uint32_t HallKey() const { return u32(16); }
    void SetHallKey(uint32_t v) { setU32(16, v); }
    std::string PasswordDigest() const { return text(24, 32); }
    void SetPasswordDigest(const std::string& v) { setText(24, 32, v); }
    std::string RoomPassword() const { return text(57, 20); }
    void SetRoomPassword(const std::string& v) { setText(57, 20, v); }
    uint8_t CameraPresent() const { return u8(78); }
    void SetCameraPresent(uint8_t v) { setU8(78, v); }
    uint8_t LinkChoice() const { return u8(79); }
    void SetLinkChoice(uint8_t v) { setU8(79, v); }
    uint32_t TargetAddress() const { return u32(86); }
    void SetTargetAddress(uint32_t v) { setU32(86, v); }
    uint16_t TargetPort() const { return u16(90); }
    void SetTargetPort(uint16_t v) { setU16(90, v); }
};

// 20011: the local user's and the room's records, or an error text.
class TRoomInfoAnswer : public TMessage {
public:
    static constexpr int32_t kCode = 20011;
    static constexpr size_t kLength = 2210, kMinLength = 2210;
    static constexpr size_t kLocalUserOffset = 71, kLocalUserSize = 881;
    static constexpr size_t kRoomInfoOffset = 952, kRoomInfoSize = 1246;
    using TMessage::TMessage;
    TRoomInfoAnswer() : TMessage(kCode, kLength) {}
    int32_t RoomID() const { return i32(12); }
    void SetRoomID(int32_t v) { setI32(12, v); }
    std::string ErrorText() const { return text(20, 50); }
    void SetErrorText(const std::string& v) { setText(20, 50, v); }
    std::string LocalUserBytes() const { return raw(kLocalUserOffset, kLocalUserSize); }
    void SetLocalUserBytes(std::string_view v) { setRaw(kLocalUserOffset, v.substr(0, kLocalUserSize)); }
    std::string RoomInfoBytes() const { return raw(kRoomInfoOffset, kRoomInfoSize); }
    void SetRoomInfoBytes(std::string_view v) { setRaw(kRoomInfoOffset, v.substr(0, kRoomInfoSize)); }
    uint32_t ServerAddress() const { return u32(2204); }
    void SetServerAddress(uint32_t v) { setU32(2204, v); }
    uint16_t ServerPort() const { return u16(2208); }
    void SetServerPort(uint16_t v) { setU16(2208, v); }
};

struct TStarPair {
    int32_t UserID = 0;
    int32_t GiftID = 0;
    bool operator==(const TStarPair&) const = default;
};

// 11011 week stars and 11012 month stars: N pairs from byte 18.
template <int32_t StarCode>
class THallStars : public TMessage {
public:
    static constexpr int32_t kCode = StarCode;
    static constexpr size_t kPairsOffset = 18, kMinLength = kPairsOffset;
    using TMessage::TMessage;
    explicit THallStars(const std::vector<TStarPair>& pairs) : TMessage(kCode, kPairsOffset + 8 * pairs.size())
    {
        setI32(8, static_cast<int32_t>(pairs.size()));
        for (size_t i = 0; i < pairs.size(); ++i) {
            setI32(kPairsOffset + 8 * i, pairs[i].UserID);
            setI32(kPairsOffset + 8 * i + 4, pairs[i].GiftID);
        }
    }
    int32_t Count() const { return i32(8); }
    std::vector<TStarPair> Pairs() const
    {
        std::vector<TStarPair> out;
        for (int32_t i = 0; i < Count(); ++i)
            out.push_back({i32(kPairsOffset + 8 * i), i32(kPairsOffset + 8 * i + 4)});
        return out;
    }
    bool Fits() const { return Count() >= 0 && kPairsOffset + 8 * static_cast<size_t>(Count()) <= size(); }
};
using THallWeekStars = THallStars<11011>;
using THallMonthStars = THallStars<11012>;

// 11020: the King and Queen record with the server's clock.
class THallKingQueen : public TMessage {
public:
    static constexpr int32_t kCode = 11020;
    static constexpr size_t kLength = 123, kMinLength = 123, kRecordSize = 96;
    using TMessage::TMessage;
    THallKingQueen() : TMessage(kCode, kLength) {}
    uint8_t EventKind() const { return u8(14); }
    void SetEventKind(uint8_t v) { setU8(14, v); }
    double ServerTime() const { return datetime(15); }
    void SetServerTime(double v) { setDatetime(15, v); }
    int32_t UserID() const { return i32(23); }
    void SetUserID(int32_t v) { setI32(23, v); }
    std::string Record() const { return raw(27, kRecordSize); }
    void SetRecord(std::string_view v) { setRaw(27, v.substr(0, kRecordSize)); }
};

// 12020: the King's and the Queen's rights records.
class THallKingQueenRights : public TMessage {
public:
    static constexpr int32_t kCode = 12020;
    static constexpr size_t kRightsSize = 368, kLength = 14 + 2 * kRightsSize, kMinLength = kLength;
    using TMessage::TMessage;
    THallKingQueenRights() : TMessage(kCode, kLength) {}
    std::string KingRights() const { return raw(14, kRightsSize); }
    void SetKingRights(std::string_view v) { setRaw(14, v.substr(0, kRightsSize)); }
    std::string QueenRights() const { return raw(14 + kRightsSize, kRightsSize); }
    void SetQueenRights(std::string_view v) { setRaw(14 + kRightsSize, v.substr(0, kRightsSize)); }
};

// 19022: result of changing the user's own information, 0 = success.
class THallOwnInfoResult : public TMessage {
public:
    static constexpr int32_t kCode = 19022;
    static constexpr size_t kLength = 20, kMinLength = 20;
    using TMessage::TMessage;
    THallOwnInfoResult() : TMessage(kCode, kLength) {}
    int32_t Result() const { return i32(16); }
    void SetResult(int32_t v) { setI32(16, v); }
};

// 8020, a result reported by a web game.
class THallWebGameResult : public TMessage {
public:
    static constexpr int32_t kCode = 8020;
    static constexpr size_t kLength = 92, kMinLength = 86;
    using TMessage::TMessage;
    THallWebGameResult() : TMessage(kCode, kLength) {}
    int32_t UserID() const { return i32(8); }
    void SetUserID(int32_t v) { setI32(8, v); }
    std::string Nickname() const { return text(16, 30); }
    void SetNickname(const std::string& v) { setText(16, 30, v); }
    std::string GameName() const { return text(47, 30); }
    void SetGameName(const std::string& v) { setText(47, 30, v); }
    int32_t FirstValue() const { return i32(78); }
    void SetFirstValue(int32_t v) { setI32(78, v); }
    int32_t SecondValue() const { return i32(82); }
    void SetSecondValue(int32_t v) { setI32(82, v); }
};

// A new member's data, inside 10001.
class TRegistrationRecord : public TRecord {
public:
    static constexpr size_t kSize = 564;
    TRegistrationRecord() : TRecord(kSize) {}
    TRegistrationRecord(const void* data, size_t size) : TRecord(data, size) {}
    std::string Nickname() const { return text(4, 30); }
    void SetNickname(const std::string& v) { setText(4, 30, v); }
    std::string PasswordDigest() const { return text(35, 32); }
    void SetPasswordDigest(const std::string& v) { setText(35, 32, v); }
    int16_t HeadPicture() const { return i16(68); }
    void SetHeadPicture(int16_t v) { setI16(68, v); }
    int16_t Sex() const { return i16(70); }
    void SetSex(int16_t v) { setI16(70, v); }
    int16_t Age() const { return i16(72); }
    void SetAge(int16_t v) { setI16(72, v); }
    std::string Country() const { return text(74, 50); }
    void SetCountry(const std::string& v) { setText(74, 50, v); }
    std::string Province() const { return text(125, 50); }
    void SetProvince(const std::string& v) { setText(125, 50, v); }
    std::string Telephone() const { return text(176, 30); }
    void SetTelephone(const std::string& v) { setText(176, 30, v); }
    std::string Mobile() const { return text(207, 30); }
    void SetMobile(const std::string& v) { setText(207, 30, v); }
    std::string Email() const { return text(238, 30); }
    void SetEmail(const std::string& v) { setText(238, 30, v); }
    std::string QQ() const { return text(269, 30); }
    void SetQQ(const std::string& v) { setText(269, 30, v); }
    std::string Note() const { return text(300, 250); }
    void SetNote(const std::string& v) { setText(300, 250, v); }
    std::string MacAddress() const { return text(551, 12); }
    void SetMacAddress(const std::string& v) { setText(551, 12, v); }
};

// 10001, registration request to a hall server.
class THallRegister : public TMessage {
public:
    static constexpr int32_t kCode = 10001;
    static constexpr size_t kLength = 586, kMinLength = 20 + TRegistrationRecord::kSize;
    using TMessage::TMessage;
    THallRegister() : TMessage(kCode, kLength) {}
    TRegistrationRecord Record() const { return TRegistrationRecord(data() + 20, TRegistrationRecord::kSize); }
    void SetRecord(const TRegistrationRecord& v) { setRaw(20, detail::Bytes(v)); }
};

// 10002: the new number, result 0 = success.
class THallRegisterAnswer : public TMessage {
public:
    static constexpr int32_t kCode = 10002;
    static constexpr size_t kLength = 586, kMinLength = 586;
    using TMessage::TMessage;
    THallRegisterAnswer() : TMessage(kCode, kLength) {}
    int32_t NewUserID() const { return i32(20); }
    void SetNewUserID(int32_t v) { setI32(20, v); }
    int16_t Result() const { return i16(584); }
    void SetResult(int16_t v) { setI16(584, v); }
};

} // namespace vlk
