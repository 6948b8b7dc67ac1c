#pragma once
// TRoomInfo: a room's settings, handed over by the hall, sent whole when the owner saves them and
// received whole when they change.
#include "base/Record.h"
#include "room/FixedRecord.h"

#include <cstdint>
#include <optional>
#include <string>

namespace vlk {

// "普通房间", "会员房间", "管理员房间" or "消费房间" for types 0 to 3; empty for others.
std::string RoomTypeText(int16_t type);

class TRoomInfo : public TRecord {
public:
    static constexpr size_t kSize = 1246;
    static constexpr size_t kDeputyOwners = 3;
    static constexpr size_t kLinks = 4;
    // Bits of ChatPermissions.
    static constexpr int32_t kMembersChatPublic = 1 << 0;
    static constexpr int32_t kMembersChatPrivate = 1 << 1;
    static constexpr int32_t kGuestsChatPublic = 1 << 2;
    static constexpr int32_t kGuestsChatPrivate = 1 << 3;

    TRoomInfo() : TRecord(kSize) {}
    static std::optional<TRoomInfo> Parse(const void* data, size_t size) { return ParseFixed<TRoomInfo>(data, size); }

    int32_t RoomNumber() const { return i32(0); }
    void SetRoomNumber(int32_t v) { setI32(0, v); }
    std::string RoomName() const { return text(4, 50); }
    void SetRoomName(const std::string& v) { setText(4, 50, v); }
    int16_t RoomType() const { return i16(55); }
    void SetRoomType(int16_t v) { setI16(55, v); }
    int32_t OwnerNumber() const { return i32(57); }
    void SetOwnerNumber(int32_t v) { setI32(57, v); }
    // i from 0 to kDeputyOwners - 1; 0 for none.
    int32_t DeputyOwner(size_t i) const;
    void SetDeputyOwner(size_t i, int32_t v);
    std::string Password() const { return text(73, 20); }
    void SetPassword(const std::string& v) { setText(73, 20, v); }
    // 1, 2 or 3: the room server port 20011, 20022 or 20033.
    int16_t Line() const { return i16(94); }
    void SetLine(int16_t v) { setI16(94, v); }
    std::string Notice() const { return text(96, 250); }
    void SetNotice(const std::string& v) { setText(96, 250, v); }
    std::string WelcomeText() const { return text(347, 250); }
    void SetWelcomeText(const std::string& v) { setText(347, 250, v); }
    int16_t PublicMicCount() const { return i16(598); }
    void SetPublicMicCount(int16_t v) { setI16(598, v); }
    int16_t MaxUsers() const { return i16(600); }
    void SetMaxUsers(int16_t v) { setI16(600, v); }
    int32_t MinEnterCoins() const { return i32(602); }
    void SetMinEnterCoins(int32_t v) { setI32(602, v); }
    // Milliseconds between two gift display steps.
    int32_t GiftDisplayInterval() const { return i32(630); }
    void SetGiftDisplayInterval(int32_t v) { setI32(630, v); }
    int32_t GiftsPerStep() const { return i32(634); }
    void SetGiftsPerStep(int32_t v) { setI32(634, v); }
    // kMembersChatPublic and the other bits.
    int32_t ChatPermissions() const { return i32(646); }
    void SetChatPermissions(int32_t v) { setI32(646, v); }
    // Two bits per public mic, see MicOpen and FreeMic.
    int32_t MicFlags() const { return i32(655); }
    void SetMicFlags(int32_t v) { setI32(655, v); }
    bool MicOpen(size_t mic) const { return mic < 16 && (MicFlags() >> (2 * mic)) & 1; }
    bool FreeMic(size_t mic) const { return mic < 16 && (MicFlags() >> (2 * mic + 1)) & 1; }
    int32_t FreeMicMinutes() const { return i32(659); }
    void SetFreeMicMinutes(int32_t v) { setI32(659, v); }
    int16_t AutoUnmuteMinutes() const { return i16(663); }
    void SetAutoUnmuteMinutes(int16_t v) { setI16(663, v); }
    // i from 0 to kLinks - 1.
    std::string LinkCaption(size_t i) const;
    void SetLinkCaption(size_t i, const std::string& v);
    std::string LinkAddress(size_t i) const;
    void SetLinkAddress(size_t i, const std::string& v);
    // Seconds between two chat lines of a registered member or a guest.
    int32_t ChatInterval() const { return i32(1121); }
    void SetChatInterval(int32_t v) { setI32(1121, v); }
    // A CSS style value for the room's lines.
    std::string TextStyle() const { return text(1134, 100); }
    void SetTextStyle(const std::string& v) { setText(1134, 100, v); }
    // Set: a gift large enough opens the receiver's confirm-mode private mic.
    bool AutoConnect() const { return u8(1235) != 0; }
    void SetAutoConnect(bool v) { setU8(1235, v); }
    // Network order.
    uint32_t ServerAddress() const { return u32(1240); }
    void SetServerAddress(uint32_t v) { setU32(1240, v); }
    uint16_t HallValue() const { return u16(1244); }
    void SetHallValue(uint16_t v) { setU16(1244, v); }

    // The last six bytes (server address and hall value) are the receiver's own: a changed room
    // record from the server takes them from the record the room already has.
    void KeepAddressOf(const TRoomInfo& own);
};

} // namespace vlk
