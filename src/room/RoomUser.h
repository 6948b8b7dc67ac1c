#pragma once
// TRoomUser: one user present in a room, as the user list, the entered notice and the role notices
// carry it.
#include "base/Record.h"
#include "room/FixedRecord.h"
#include "room/RoleData.h"

#include <cstdint>
#include <optional>
#include <string>

namespace vlk {

namespace micstate {
constexpr uint8_t kNone = 0;
constexpr uint8_t kPublic = 1;
constexpr uint8_t kPrivateAnyone = 2;
constexpr uint8_t kPrivateFriends = 3;
constexpr uint8_t kPrivateConfirm = 4;
constexpr uint8_t kPrivatePaid = 5;
constexpr uint8_t kQueue = 6;
} // namespace micstate

inline constexpr uint8_t kMemberLevel = 15;
inline constexpr uint8_t kGuestLevel = 16;
inline constexpr uint8_t kAdminRole = 13;
inline constexpr uint8_t kTempAdminRole = 14;

// The text shown for a mic state; the top bit of the byte is not part of the state. Empty for
// states without a text.
std::string MicStateText(uint8_t state);

class TRoomUser : public TRecord {
public:
    static constexpr size_t kSize = 157;
    static constexpr size_t kRoleDataOffset = 94;

    TRoomUser() : TRecord(kSize) {}
    static std::optional<TRoomUser> Parse(const void* data, size_t size) { return ParseFixed<TRoomUser>(data, size); }

    // 0 is never a real user.
    int32_t UserNumber() const { return i32(0); }
    void SetUserNumber(int32_t v) { setI32(0, v); }
    std::string Nickname() const { return text(8, 30); }
    void SetNickname(const std::string& v) { setText(8, 30, v); }
    // Index into the head image list; an index past its end shows picture 0.
    int32_t HeadPicture() const { return i32(39); }
    void SetHeadPicture(int32_t v) { setI32(39, v); }
    // The mic column's image while the user holds no mic.
    uint8_t NoMicImage() const { return u8(55); }
    void SetNoMicImage(uint8_t v) { setU8(55, v); }
    uint8_t Level() const { return u8(58); }
    void SetLevel(uint8_t v) { setU8(58, v); }
    std::string LevelPicture() const { return text(63, 10); }
    void SetLevelPicture(const std::string& v) { setText(63, 10, v); }
    std::string LevelTitle() const { return text(74, 10); }
    void SetLevelTitle(const std::string& v) { setText(74, 10, v); }
    uint32_t LevelColor() const { return u32(85); }
    void SetLevelColor(uint32_t v) { setU32(85, v); }
    int16_t LevelRank() const { return i16(89); }
    void SetLevelRank(int16_t v) { setI16(89, v); }
    // 1 member, 2 honoured guest.
    uint16_t MembershipType() const { return u16(91); }
    void SetMembershipType(uint16_t v) { setU16(91, v); }
    uint8_t RoomRole() const { return u8(93); }
    void SetRoomRole(uint8_t v) { setU8(93, v); }
    int32_t RoleKind() const { return i32(94); }
    void SetRoleKind(int32_t v) { setI32(94, v); }
    std::string RolePicture() const { return text(98, 10); }
    void SetRolePicture(const std::string& v) { setText(98, 10, v); }
    std::string RoleTitle() const { return text(109, 10); }
    void SetRoleTitle(const std::string& v) { setText(109, 10, v); }
    uint32_t RoleColor() const { return u32(120); }
    void SetRoleColor(uint32_t v) { setU32(120, v); }
    int16_t RoleRank() const { return i16(124); }
    void SetRoleRank(int16_t v) { setI16(124, v); }
    // Offsets 94 to 127 as one record.
    TRoleData RoleData() const { return RecordAt<TRoleData>(*this, kRoleDataOffset); }
    void SetRoleData(const TRoleData& v) { setRaw(kRoleDataOffset, RecordView(v)); }
    uint8_t MicState() const { return u8(128); }
    void SetMicState(uint8_t v) { setU8(128, v); }
    int32_t MicTimeUsed() const { return i32(129); }
    void SetMicTimeUsed(int32_t v) { setI32(129, v); }
    // 0 or -1: no limit.
    int32_t MicTimeAllowed() const { return i32(133); }
    void SetMicTimeAllowed(int32_t v) { setI32(133, v); }
    bool Hidden() const { return u8(137) != 0; }
    void SetHidden(bool v) { setU8(137, v); }
    bool Muted() const { return u8(138) != 0; }
    void SetMuted(bool v) { setU8(138, v); }
    // 0 or less: no seal.
    int32_t SealNumber() const { return i32(139); }
    void SetSealNumber(int32_t v) { setI32(139, v); }
    // On the server's clock.
    double SealExpiry() const { return datetime(143); }
    void SetSealExpiry(double v) { setDatetime(143, v); }

    // The role's picture, colour and rank when its kind replaces the level's, else the level's.
    std::string ShownPicture() const;
    uint32_t ShownColor() const;
    int16_t ShownRank() const;
};

} // namespace vlk
