#pragma once
// Client messages about gifts, exchange, the loudspeaker and seals.
#include "room/LoudspeakerRecord.h"
#include "room/RoomCommands.h"
#include "room/RoomMessage.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vlk {

// 20020: a gift sent to a member (the catalogue of gifts is TGift).
class TSendGift : public TRoomRequest {
public:
    static constexpr int32_t kCode = roomcmd::kGift;
    static constexpr size_t kLength = 81, kMinLength = kLength;
    explicit TSendGift(const TRoomIdentity& id = {}) : TRoomRequest(kCode, kLength, id) {}
    // 0: the whole room.
    uint32_t Receiver() const { return u32(26); }
    void SetReceiver(uint32_t v) { setU32(26, v); }
    uint32_t GiftNumber() const { return u32(30); }
    void SetGiftNumber(uint32_t v) { setU32(30, v); }
    uint32_t Count() const { return u32(34); }
    void SetCount(uint32_t v) { setU32(34, v); }
    uint8_t GiftKind() const { return u8(38); }
    void SetGiftKind(uint8_t v) { setU8(38, v); }
    bool Anonymous() const { return u8(39) != 0; }
    void SetAnonymous(bool v) { setU8(39, v); }
    std::string Dedication() const { return text(40, 40); }
    void SetDedication(const std::string& v) { setText(40, 40, v); }
};

// 20030.
class TExchangeGifts : public TRoomRequest {
public:
    static constexpr int32_t kCode = roomcmd::kExchangeGifts;
    static constexpr size_t kLength = 63, kMinLength = kLength;
    explicit TExchangeGifts(const TRoomIdentity& id = {}) : TRoomRequest(kCode, kLength, id) {}
    std::string Password() const { return text(26, 32); }
    void SetPassword(const std::string& v) { setText(26, 32, v); }
    uint32_t GiftValue() const { return u32(59); }
    void SetGiftValue(uint32_t v) { setU32(59, v); }
};

// 81018: the composer's record and text; the text follows the fixed part.
class TLoudspeaker : public TRoomRequest {
public:
    static constexpr int32_t kCode = roomcmd::kLoudspeaker;
    static constexpr size_t kMinLength = 118;
    explicit TLoudspeaker(const TRoomIdentity& id = {}, std::string_view text = {});
    bool Fits() const { return TextFits(kMinLength, TextLength()); }
    std::string Nickname() const { return text(32, 30); }
    void SetNickname(const std::string& v) { setText(32, 30, v); }
    TLoudspeakerRecord Record() const { return RecordAt<TLoudspeakerRecord>(*this, 63); }
    // The record goes out with the sender's number in its first field, whatever the composer wrote.
    void SetRecord(const TLoudspeakerRecord& v);
    uint32_t TextLength() const { return u32(114); }
    std::string Text() const { return GbkText(kMinLength, TextLength()); }
};

// 20018: a seal stamped on a member (the catalogue of seals is TSeal).
class TSendSeal : public TRoomRequest {
public:
    static constexpr int32_t kCode = roomcmd::kSeal;
    static constexpr size_t kLength = 38, kMinLength = kLength;
    explicit TSendSeal(const TRoomIdentity& id = {}) : TRoomRequest(kCode, kLength, id) {}
    uint32_t User() const { return u32(26); }
    void SetUser(uint32_t v) { setU32(26, v); }
    uint32_t SealNumber() const { return u32(30); }
    void SetSealNumber(uint32_t v) { setU32(30, v); }
};

// 20218.
class TClearSeal : public TRoomRequest {
public:
    static constexpr int32_t kCode = roomcmd::kClearSeal;
    static constexpr size_t kLength = 38, kMinLength = kLength;
    explicit TClearSeal(const TRoomIdentity& id = {}) : TRoomRequest(kCode, kLength, id) {}
    // 0: the system.
    uint32_t Requester() const { return u32(26); }
    void SetRequester(uint32_t v) { setU32(26, v); }
    uint32_t User() const { return u32(30); }
    void SetUser(uint32_t v) { setU32(30, v); }
    uint32_t SealNumber() const { return u32(34); }
    void SetSealNumber(uint32_t v) { setU32(34, v); }
};

} // namespace vlk
