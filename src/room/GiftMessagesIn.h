#pragma once
// Server messages about gifts, fireworks, the loudspeaker, seals, exchange and balances.
#include "room/LoudspeakerRecord.h"
#include "room/LuxuryRecord.h"
#include "room/RoomCommands.h"
#include "room/RoomMessage.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vlk {

// 20021.
class TGiftResult : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kGiftResult;
    static constexpr size_t kMinLength = 61;
    TGiftResult() : TRoomMessage(kCode, kMinLength) {}
    int32_t Result() const { return i32(16); }
    void SetResult(int32_t v) { setI32(16, v); }
    // Also the request tag.
    uint32_t Receiver() const { return u32(20); }
    void SetReceiver(uint32_t v) { setU32(20, v); }
    int16_t SentCount() const { return i16(59); }
    void SetSentCount(int16_t v) { setI16(59, v); }
};

// 9083: a gift given in this room.
class TGiftSent : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kGiftSent;
    static constexpr size_t kMinLength = 145;
    TGiftSent() : TRoomMessage(kCode, kMinLength) {}
    uint32_t Sender() const { return u32(8); }
    void SetSender(uint32_t v) { setU32(8, v); }
    uint32_t Receiver() const { return u32(16); }
    void SetReceiver(uint32_t v) { setU32(16, v); }
    std::string SenderNickname() const { return text(20, 30); }
    void SetSenderNickname(const std::string& v) { setText(20, 30, v); }
    std::string ReceiverNickname() const { return text(51, 30); }
    void SetReceiverNickname(const std::string& v) { setText(51, 30, v); }
    // Passed to the room-link gift line.
    int32_t RoomLinkValue() const { return i32(82); }
    void SetRoomLinkValue(int32_t v) { setI32(82, v); }
    int32_t GiftNumber() const { return i32(86); }
    void SetGiftNumber(int32_t v) { setI32(86, v); }
    uint8_t GiftKind() const { return u8(90); }
    void SetGiftKind(uint8_t v) { setU8(90, v); }
    int32_t ShownCount() const { return i32(91); }
    void SetShownCount(int32_t v) { setI32(91, v); }
    int32_t Count() const { return i32(95); }
    void SetCount(int32_t v) { setI32(95, v); }
    // Two values for the gift history.
    int32_t FirstHistoryValue() const { return i32(99); }
    void SetFirstHistoryValue(int32_t v) { setI32(99, v); }
    int32_t SecondHistoryValue() const { return i32(103); }
    void SetSecondHistoryValue(int32_t v) { setI32(103, v); }
    int32_t SenderCoins() const { return i32(107); }
    void SetSenderCoins(int32_t v) { setI32(107, v); }
    int32_t SenderPoints() const { return i32(111); }
    void SetSenderPoints(int32_t v) { setI32(111, v); }
    int32_t ReceiverCoins() const { return i32(115); }
    void SetReceiverCoins(int32_t v) { setI32(115, v); }
    int32_t ReceiverPoints() const { return i32(119); }
    void SetReceiverPoints(int32_t v) { setI32(119, v); }
    // A byte and a short text carried along into the gift display record.
    uint8_t CarriedByte() const { return u8(123); }
    void SetCarriedByte(uint8_t v) { setU8(123, v); }
    std::string CarriedText() const { return text(124, 4); }
    void SetCarriedText(const std::string& v) { setText(124, 4, v); }
    std::string GiftName() const { return text(129, 10); }
    void SetGiftName(const std::string& v) { setText(129, 10, v); }
    // Above 0: a luxury gift.
    int32_t LuxuryValue() const { return i32(140); }
    void SetLuxuryValue(int32_t v) { setI32(140, v); }
    bool Anonymous() const { return u8(144) != 0; }
    void SetAnonymous(bool v) { setU8(144, v); }
};

// 9082.
class TLuckyGiftWon : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kLuckyGiftWon;
    static constexpr size_t kMinLength = 50;
    TLuckyGiftWon() : TRoomMessage(kCode, kMinLength) {}
    uint32_t Winner() const { return u32(8); }
    void SetWinner(uint32_t v) { setU32(8, v); }
    int32_t GiftNumber() const { return i32(26); }
    void SetGiftNumber(int32_t v) { setI32(26, v); }
    std::string GiftName() const { return text(30, 10); }
    void SetGiftName(const std::string& v) { setText(30, 10, v); }
    int32_t PrizeMultiple() const { return i32(41); }
    void SetPrizeMultiple(int32_t v) { setI32(41, v); }
    int32_t CoinsWon() const { return i32(45); }
    void SetCoinsWon(int32_t v) { setI32(45, v); }
    bool Anonymous() const { return u8(49) != 0; }
    void SetAnonymous(bool v) { setU8(49, v); }
};

// 8014: fireworks, and the users who get a share.
class TFireworksShare : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kFireworksShare;
    static constexpr size_t kMinLength = 75;
    explicit TFireworksShare(const std::vector<uint32_t>& receivers = {});
    bool Fits() const { return RecordsFit(kMinLength, ReceiverCount(), 4); }
    uint32_t Sender() const { return u32(8); }
    void SetSender(uint32_t v) { setU32(8, v); }
    std::string SenderNickname() const { return text(26, 30); }
    void SetSenderNickname(const std::string& v) { setText(26, 30, v); }
    int32_t GiftNumber() const { return i32(57); }
    void SetGiftNumber(int32_t v) { setI32(57, v); }
    int32_t Count() const { return i32(61); }
    void SetCount(int32_t v) { setI32(61, v); }
    int32_t Share() const { return i32(65); }
    void SetShare(int32_t v) { setI32(65, v); }
    // Set: the share is in coins; clear: in points.
    bool InCoins() const { return u8(69) != 0; }
    void SetInCoins(bool v) { setU8(69, v); }
    bool Anonymous() const { return u8(70) != 0; }
    void SetAnonymous(bool v) { setU8(70, v); }
    int32_t ReceiverCount() const { return i32(71); }
    std::vector<uint32_t> Receivers() const { return NumbersAt(kMinLength, ReceiverCount()); }
};

// 8004: a gift announced in all rooms.
class TGiftInAllRooms : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kGiftInAllRooms;
    static constexpr size_t kMinLength = 146;
    TGiftInAllRooms() : TRoomMessage(kCode, kMinLength) {}
    uint32_t Sender() const { return u32(8); }
    void SetSender(uint32_t v) { setU32(8, v); }
    uint32_t Receiver() const { return u32(16); }
    void SetReceiver(uint32_t v) { setU32(16, v); }
    std::string ReceiverNickname() const { return text(20, 50); }
    void SetReceiverNickname(const std::string& v) { setText(20, 50, v); }
    int32_t RoomNumber() const { return i32(71); }
    void SetRoomNumber(int32_t v) { setI32(71, v); }
    std::string SenderNickname() const { return text(75, 30); }
    void SetSenderNickname(const std::string& v) { setText(75, 30, v); }
    // The room the gift was given in, as the fireworks line names it.
    std::string RoomName() const { return text(106, 30); }
    void SetRoomName(const std::string& v) { setText(106, 30, v); }
    int32_t GiftNumber() const { return i32(137); }
    void SetGiftNumber(int32_t v) { setI32(137, v); }
    int32_t Count() const { return i32(141); }
    void SetCount(int32_t v) { setI32(141, v); }
    bool Anonymous() const { return u8(145) != 0; }
    void SetAnonymous(bool v) { setU8(145, v); }
};

// 8002: replaces the luxury list. Some senders count the records after the count field, others one
// less; the count's records must be present, and one more is taken when it is.
class TLuxuryList : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kLuxuryList;
    static constexpr size_t kMinLength = 20;
    explicit TLuxuryList(const std::vector<TLuxuryRecord>& records = {});
    bool Fits() const { return RecordsFit(kMinLength, Count(), TLuxuryRecord::kSize); }
    // Negative: the list is emptied and nothing added.
    int32_t Count() const { return i32(16); }
    std::vector<TLuxuryRecord> Records() const;
};

// 8003.
class TLoudspeakerNotice : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kLoudspeakerNotice;
    static constexpr size_t kMinLength = 102;
    static constexpr size_t kRecordOffset = 47;
    explicit TLoudspeakerNotice(std::string_view message = {}, std::string_view linkText = {},
                                std::string_view linkValue = {});
    // The text and the two link parts that the record counts lie inside the message.
    bool Fits() const;
    uint32_t Sender() const { return u32(8); }
    void SetSender(uint32_t v) { setU32(8, v); }
    std::string SenderNickname() const { return text(16, 30); }
    void SetSenderNickname(const std::string& v) { setText(16, 30, v); }
    TLoudspeakerRecord Record() const { return RecordAt<TLoudspeakerRecord>(*this, kRecordOffset); }
    // The link lengths stay those of the texts the message was made with.
    void SetRecord(const TLoudspeakerRecord& v);
    bool Big() const { return u8(55) == 1; }
    uint32_t TextLength() const { return u32(98); }
    std::string MessageText() const;
    std::string LinkText() const;
    std::string LinkValue() const;

private:
    uint32_t LinkTextLength() const { return u32(kRecordOffset + 43); }
    uint32_t LinkValueLength() const { return u32(kRecordOffset + 47); }
};

// 20019 and 20219 share the balances at 28 and 32.
class TSealResult : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kSealResult;
    static constexpr size_t kMinLength = 36;
    TSealResult() : TRoomMessage(kCode, kMinLength) {}
    int32_t Result() const { return i32(16); }
    void SetResult(int32_t v) { setI32(16, v); }
    int32_t Coins() const { return i32(28); }
    void SetCoins(int32_t v) { setI32(28, v); }
    int32_t Points() const { return i32(32); }
    void SetPoints(int32_t v) { setI32(32, v); }
};

class TClearSealResult : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kClearSealResult;
    static constexpr size_t kMinLength = 36;
    TClearSealResult() : TRoomMessage(kCode, kMinLength) {}
    int32_t Result() const { return i32(16); }
    void SetResult(int32_t v) { setI32(16, v); }
    uint32_t User() const { return u32(20); }
    void SetUser(uint32_t v) { setU32(20, v); }
    int32_t Coins() const { return i32(28); }
    void SetCoins(int32_t v) { setI32(28, v); }
    int32_t Points() const { return i32(32); }
    void SetPoints(int32_t v) { setI32(32, v); }
};

// 8009.
class TSealPutOn : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kSealPutOn;
    static constexpr size_t kMinLength = 110;
    TSealPutOn() : TRoomMessage(kCode, kMinLength) {}
    uint32_t StampingUser() const { return u32(16); }
    void SetStampingUser(uint32_t v) { setU32(16, v); }
    std::string StampingNickname() const { return text(20, 30); }
    void SetStampingNickname(const std::string& v) { setText(20, 30, v); }
    uint32_t StampedUser() const { return u32(51); }
    void SetStampedUser(uint32_t v) { setU32(51, v); }
    std::string StampedNickname() const { return text(55, 30); }
    void SetStampedNickname(const std::string& v) { setText(55, 30, v); }
    int32_t SealNumber() const { return i32(90); }
    void SetSealNumber(int32_t v) { setI32(90, v); }
    // Both on the server's clock.
    double SealExpiry() const { return datetime(94); }
    void SetSealExpiry(double v) { setDatetime(94, v); }
    double ServerTime() const { return datetime(102); }
    void SetServerTime(double v) { setDatetime(102, v); }
};

// 8010.
class TSealCleared : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kSealCleared;
    static constexpr size_t kMinLength = 90;
    TSealCleared() : TRoomMessage(kCode, kMinLength) {}
    uint32_t ClearingUser() const { return u32(16); }
    void SetClearingUser(uint32_t v) { setU32(16, v); }
    std::string ClearingNickname() const { return text(20, 30); }
    void SetClearingNickname(const std::string& v) { setText(20, 30, v); }
    uint32_t User() const { return u32(51); }
    void SetUser(uint32_t v) { setU32(51, v); }
    std::string Nickname() const { return text(55, 30); }
    void SetNickname(const std::string& v) { setText(55, 30, v); }
    int32_t SealNumber() const { return i32(86); }
    void SetSealNumber(int32_t v) { setI32(86, v); }
};

// 20221.
class TGiftValueCredited : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kGiftValueCredited;
    static constexpr size_t kMinLength = 30;
    TGiftValueCredited() : TRoomMessage(kCode, kMinLength) {}
    uint32_t User() const { return u32(8); }
    void SetUser(uint32_t v) { setU32(8, v); }
    int32_t PointsAdded() const { return i32(26); }
    void SetPointsAdded(int32_t v) { setI32(26, v); }
};

// 20031.
class TExchangeResult : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kExchangeResult;
    static constexpr size_t kMinLength = 28;
    TExchangeResult() : TRoomMessage(kCode, kMinLength) {}
    uint32_t RequestTag() const { return u32(8); }
    void SetRequestTag(uint32_t v) { setU32(8, v); }
    int32_t Result() const { return i32(16); }
    void SetResult(int32_t v) { setI32(16, v); }
    int32_t CoinsAdded() const { return i32(20); }
    void SetCoinsAdded(int32_t v) { setI32(20, v); }
    int32_t GiftValueTaken() const { return i32(24); }
    void SetGiftValueTaken(int32_t v) { setI32(24, v); }
};

// 10140.
class TBalance : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kBalance;
    static constexpr size_t kMinLength = 24;
    TBalance() : TRoomMessage(kCode, kMinLength) {}
    int32_t Coins() const { return i32(20); }
    void SetCoins(int32_t v) { setI32(20, v); }
};

// 81020.
class TPurchaseBalance : public TRoomMessage {
public:
    static constexpr int32_t kCode = roomcmd::kPurchaseBalance;
    static constexpr size_t kMinLength = 24;
    TPurchaseBalance() : TRoomMessage(kCode, kMinLength) {}
    uint32_t User() const { return u32(8); }
    void SetUser(uint32_t v) { setU32(8, v); }
    // 0 done, 7 balance too low.
    int32_t Result() const { return i32(16); }
    void SetResult(int32_t v) { setI32(16, v); }
    int32_t Coins() const { return i32(20); }
    void SetCoins(int32_t v) { setI32(20, v); }
};

} // namespace vlk
